//img.png
//Converti avec Tessel Works par Velmar
//Bitmap 15 bits ("")
//Taille: 3*2
//Mémoire: 6 octets

const unsigned char img_bitmap8[2][3]=	{
0x7fff, 0x0001, 0x8000, 0x1234, 0x4321, 0x0000};
