/* Uses the arrays tilecvt made from gfx/. On the console the palette, the
 * tiles and the sky's map go to video memory and background 0 shows them; on
 * the desktop the program prints their sizes and a checksum, so a build there
 * shows what was converted. */
#include "game_graphics.h" /* written by tessel_add_graphics */

#define COUNT(array) (sizeof(array) / sizeof((array)[0]))

#if defined(__arm__) && !defined(__linux__)

typedef volatile unsigned short Register;

/* Video memory takes 16-bit writes only. */
static void CopyBytes(volatile unsigned short* to, const unsigned char* from, unsigned bytes) {
  for (unsigned i = 0; i + 1 < bytes; i += 2) to[i / 2] = (unsigned short)(from[i] | from[i + 1] << 8);
}

int main(void) {
  Register* palette = (Register*)0x05000000;
  Register* tiles = (Register*)0x06000000;
  Register* screen = (Register*)0x06004000; /* screen block 8 */
  for (unsigned i = 0; i < COUNT(master_Palette); ++i) palette[i] = master_Palette[i];
  CopyBytes(tiles, sky_Tiles, sizeof sky_Tiles);
  for (unsigned i = 0; i < COUNT(sky_Map); ++i) screen[i] = sky_Map[i];
  *(Register*)0x04000008 = 0x0080 | 8 << 8; /* BG0: 256 colours, screen block 8 */
  *(Register*)0x04000000 = 0x0100;          /* mode 0, BG0 on */
  for (;;) {
  }
}

#else

#include <stdio.h>

static unsigned long Checksum(const void* data, unsigned long bytes) {
  const unsigned char* p = (const unsigned char*)data;
  unsigned long sum = 0;
  while (bytes-- > 0) sum = sum * 31u + *p++;
  return sum;
}

int main(void) {
  unsigned long sum = Checksum(master_Palette, sizeof master_Palette);
  sum += Checksum(hero_Tiles, sizeof hero_Tiles) + Checksum(hero_Map, sizeof hero_Map);
  sum += Checksum(grass_Tiles, sizeof grass_Tiles) + Checksum(grass_Map, sizeof grass_Map);
  sum += Checksum(sky_Tiles, sizeof sky_Tiles) + Checksum(sky_Map, sizeof sky_Map);
  printf("palette %u colours\n", (unsigned)COUNT(master_Palette));
  printf("hero %u tile bytes, %u map cells\n", (unsigned)sizeof hero_Tiles,
         (unsigned)COUNT(hero_Map));
  printf("grass %u tile bytes, %u map cells\n", (unsigned)sizeof grass_Tiles,
         (unsigned)COUNT(grass_Map));
  printf("sky %u tile bytes, %u map cells\n", (unsigned)sizeof sky_Tiles,
         (unsigned)COUNT(sky_Map));
  printf("checksum %lu\n", sum);
  return 0;
}

#endif
