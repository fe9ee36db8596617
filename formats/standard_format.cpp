#include "formats/standard_format.h"

namespace formats {

namespace {

// File bytes: CR LF line ends, "\b" steps back over the last separator, and
// "\xE9" is the é of Windows-1252.
constexpr const char* kCredit = "//Converti avec Tessel Works par Velmar\r\n";
constexpr const char* kMemoryLine =
    "//M\xE9"
    "moire: %memory% octets\r\n";

std::string Header(const char* kindLine, const char* sizeLine, const char* tail) {
  std::string s = "//%file%\r\n";
  s += kCredit;
  s += kindLine;
  s += sizeLine;
  s += kMemoryLine;
  s += tail;
  return s;
}

}  // namespace

OutputFormat MakeStandardFormat() {
  OutputFormat f;
  f.name = "Standard";

  FormatSection& bitmap = f.section(SectionType::Bitmap);
  bitmap.declaration =
      Header("//Bitmap %depth% bits (\"%link%\")\r\n", "//Taille: %sizex%*%sizey%\r\n",
             // The type holds the values of the depth ("char" up to 8 bits, as
             // these files have always been); the array keeps its name.
             "\r\nconst unsigned %type% %user[2]%%name%_bitmap8[%sizey%][%sizex%]=\t{\r\n");
  bitmap.n_every = 12;
  bitmap.every_x = "\b\r\n";
  bitmap.element = "0x%02x, ";
  bitmap.element2 = "0x%04x, ";
  bitmap.element3 = "0x%08x, ";
  bitmap.end = "\b\b};\r\n";
  bitmap.ext = ".bmp.c";

  FormatSection& palette = f.section(SectionType::Palette);
  palette.declaration = Header("//Palette\r\n", "//Taille: %size%\r\n",
                               "\r\nconst unsigned short %user[2]%%name%_palette[%size%]=\t{\r\n");
  palette.n_every = 8;
  palette.every_x = "\b\r\n";
  palette.element = "0x%04x, ";
  palette.line = "\b\r\n";
  palette.end = "\b\b};\r\n";
  palette.ext = ".pal.c";

  FormatSection& tileset = f.section(SectionType::Tileset);
  tileset.declaration =
      Header("//Tileset %+if<>(%%depth% bits (\"%link%\")%+else%(\"%link%\")%+end%\r\n",
             "//Taille: %tilex%*%tiley%*%size%\r\n",
             "\r\nconst unsigned %type% %user[2]%%name%_tiles[%memory%]=\t{\r\n");
  tileset.n_every = 12;
  tileset.every_x = "\b\r\n";
  tileset.element = "0x%02x, ";
  tileset.element2 = "0x%04x, ";
  tileset.element3 = "0x%08x, ";
  tileset.end = "\b\b};\r\n";
  tileset.ext = ".til.c";

  FormatSection& map = f.section(SectionType::Map);
  // The conditions serve reading: files without the tile base and mask, and
  // files whose declaration follows the "Mémoire" line directly.
  map.declaration = Header(
      "//Map (\"%null%\",\"%link%\"%+if=,%,%tilebase%,%$gfxmask%)%+else%)%+end%\r\n",
      "//Taille: %tilex%*%tiley% * %sizex%*%sizey%\r\n",
      "%+if<>c%\r\nc%+else%c%+endif%onst unsigned %type% %user[2]%%name%_map[%sizey%][%sizex%]"
      "=\t{\r\n\t{");
  map.n_every = 8;
  map.every_x = "\b\r\n";
  map.element = "0x%04x, ";
  map.element2 = "0x%02x, ";
  map.element3 = "0x%08x, ";
  map.line = "\b\b},\r\n\t{";
  map.end = "\b\b\b\b\b\r\n};\r\n";
  map.ext = ".map.c";

  FormatSection& list = f.section(SectionType::List);
  list.declaration = Header(
      "//Liste (\"%link%\"%+if=,%, \"%model%\")%+else%)%+end%\r\n", "//Taille: %tilex%*%tiley%\r\n",
      "\r\n%user[1]%\r\n\r\nconst unsigned int %name%_liste_nbEle=%size%;\r\n\r\n"
      "%user[2]%const %type% %name%_liste[]=\t{");
  list.n_every = 0;  // no grouping at start-up
  list.element = "\r\n\t{#type#,#x#,#y##+param:\",\":\"\"#},";
  list.end = "\r\n};\r\n";
  list.ext = ".lst.c";

  f.type8 = "char";
  f.type16 = "short";
  f.type32 = "long";
  f.typesd = "SPRITE_LISTE";
  f.user[0] = "#include \"def.h\"";
  return f;
}

}  // namespace formats
