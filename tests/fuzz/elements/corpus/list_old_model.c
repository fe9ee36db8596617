//pnj.map.c
//Converti avec Tessel Works par Velmar
//Liste ("", "Pnj")
//Taille: 8*8
//Mémoire: 48 octets

#include "def.h"

const unsigned int pnj_liste_nbEle=3;

const SPRITE_LISTE pnj_liste[]=	{
	{2,8,8},
	{1,40,8,100},
	{1,40},
};
