//img.bmp.c
//Converti avec Tessel Works par Velmar
//Bitmap 8 bits ("img.pal.c")
//Taille: 3*2
//Mémoire: 6 octets

const unsigned char img_bitmap8[2][3]=	{
0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
