//obj.lst.c
//Converti avec Tessel Works par Velmar
//Liste ("gfx/tiles.til.c", "Default")
//Taille: 8*8
//Mémoire: 24 octets

#include "def.h"

const unsigned int obj_liste_nbEle=2;

const SPRITE_LISTE obj_liste[]=	{
	{1,10,20},
	{2,-5,7},
};
