# The Game Boy Advance with arm-none-eabi-gcc, freestanding: no C library is
# needed, and the program is linked at the cartridge's address with main as
# its entry. A real ROM adds the kit's start-up code, header and linker script.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_C_FLAGS_INIT "-mcpu=arm7tdmi -mthumb -mthumb-interwork -ffreestanding")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-nostdlib -nostartfiles -Wl,--entry=main -Wl,-Ttext=0x08000000")
set(CMAKE_C_STANDARD_LIBRARIES "-lgcc")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# Programs (tilecvt) come from the build machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
