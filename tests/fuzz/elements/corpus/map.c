//lvl.png
//Converti avec Tessel Works par Velmar
//Map ("","gfx/tiles.til.c",0,ffffffff)
//Taille: 8*8 * 2*2
//Mémoire: 8 octets

const unsigned short lvl_map[2][2]=	{
	{0x0001, 0x0002},
	{0x0003, 0x0004}
};
