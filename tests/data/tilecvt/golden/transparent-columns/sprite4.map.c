/*
 * 2x2 map data
 */
const unsigned short sprite4_Map[4] = {
0x0000, 0x0002, 0x0001, 0x0003
};

