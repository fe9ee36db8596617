#include "tools/tilecvt/options.h"
#include "tools/tilecvt/usage.h"

#include <gtest/gtest.h>

namespace {

using tilecvt::Settings;

struct Parsed {
  tilecvt::CapturingConsole console;
  Settings settings;
  tilecvt::CommandLine commandLine;
  explicit Parsed(std::vector<std::string> arguments) {
    tilecvt::Report report(console);
    commandLine = tilecvt::ParseOptions(arguments, "tilecvt", settings, report);
  }
};

TEST(Options, ValuesFollowTheLetterOrComeAsTheNextArgument) {
  for (const auto& arguments :
       {std::vector<std::string>{"-t8", "-Sp.p", "-ppal", "a.bmp"},
        std::vector<std::string>{"-t", "8", "-Sp", ".p", "-p", "pal", "a.bmp"},
        std::vector<std::string>{"/t8", "/Sp.p", "/p", "pal", "a.bmp"}}) {
    Parsed parsed(arguments);
    ASSERT_TRUE(parsed.commandLine.proceed);
    EXPECT_EQ(parsed.settings.tileSize, 8);
    EXPECT_EQ(parsed.settings.paletteSuffix, ".p");
    EXPECT_EQ(parsed.settings.masterPaletteName, "pal");
    EXPECT_EQ(parsed.commandLine.firstFile, arguments.size() - 1);
    EXPECT_EQ(parsed.console.out + parsed.console.err, "");
  }
}

TEST(Options, TheFirstArgumentWithoutADashEndsTheOptions) {
  Parsed parsed({"-m", "a.bmp", "-fsrc", "b.bmp"});
  ASSERT_TRUE(parsed.commandLine.proceed);
  EXPECT_EQ(parsed.commandLine.firstFile, 1u);
  EXPECT_EQ(parsed.settings.format, tilecvt::OutputFormat::Raw);
}

TEST(Options, FlagsAndTheirCombinations) {
  Parsed parsed({"-mm", "-X", "-Z", "-aps", "-align", "-F", "-B", "-Rs", "-Q", "-tc", "-mc", "-A",
                 "-fasm", "-c16"});
  const Settings& s = parsed.settings;
  EXPECT_TRUE(s.generateMap && s.optimiseMap && s.metatiledMap);
  EXPECT_EQ(s.tileSize, 8);
  EXPECT_FALSE(s.savePalette || s.saveTiles || s.saveMap);
  EXPECT_TRUE(s.compressMap && s.compressPalette && s.compressTiles);
  EXPECT_EQ(s.compressor, tilecvt::Compressor::AplibSafe);
  EXPECT_TRUE(s.align && !s.checkFlipped && s.blankTilesOnly && s.rotateScale && s.quiet);
  EXPECT_TRUE(s.tilesAsColumns && s.mapColumnOrder && s.forceColourOffset);
  EXPECT_EQ(s.format, tilecvt::OutputFormat::GccAsm);
  EXPECT_EQ(s.colourCount, 16);

  EXPECT_EQ(Parsed({"-t16", "-M"}).settings.tileSize, 16);  // a given tile size stays
  EXPECT_FALSE(Parsed({"-MM"}).settings.optimiseMap);
  EXPECT_EQ(Parsed({"-ap"}).settings.compressor, tilecvt::Compressor::Aplib);
  EXPECT_EQ(Parsed({"-a7"}).settings.transparentColour, 7);
  EXPECT_TRUE(Parsed({"-W"}).settings.lz77VramSafe && !Parsed({"-W"}).settings.lz77Smallest);
  EXPECT_TRUE(Parsed({"-L"}).settings.lz77Smallest && !Parsed({"-L"}).settings.lz77VramSafe);
  EXPECT_FALSE(Parsed({"-m"}).settings.lz77VramSafe || Parsed({"-m"}).settings.lz77Smallest);
}

TEST(Options, ExternKeepsPalettesMergedWhileOtherEOptionsDoNot) {
  Parsed extern_({"-extern"});
  EXPECT_TRUE(extern_.settings.addExtern);
  EXPECT_FALSE(extern_.settings.noMerge);
  Parsed other({"-e"});
  EXPECT_TRUE(other.settings.noMerge);
  EXPECT_FALSE(other.settings.addExtern);
}

TEST(Options, OutputDirectoryAlwaysEndsWithASeparator) {
  EXPECT_EQ(Parsed({"-o", "out"}).settings.outputDirectory, "out/");
  EXPECT_EQ(Parsed({"-oout\\"}).settings.outputDirectory, "out/");
  EXPECT_EQ(Parsed({"-Oa\\b/"}).settings.outputDirectory, "a/b/");
}

TEST(Options, NumbersOutOfRangeWarnAndFallBackToZero) {
  Parsed parsed({"-C300", "-a-1", "-b16", "-v", "-3"});
  EXPECT_TRUE(parsed.commandLine.proceed);
  EXPECT_EQ(parsed.settings.colourOffset, 0);
  EXPECT_EQ(parsed.settings.transparentColour, 0);
  EXPECT_EQ(parsed.settings.bank, 0);
  EXPECT_EQ(parsed.settings.vramOffset, -3);
  EXPECT_EQ(parsed.console.out,
            "\n***WARNING: color offset must be 0-255, using default (0)!\n"
            "\n***WARNING: color must be 0-255, using default (0)!\n"
            "\n***WARNING: color bank must be 0-15, using default (0)!\n");
  EXPECT_EQ(parsed.console.err, "");
}

TEST(Options, TrueColourAndObjectOutputWarnOnTheStandardOutput) {
  Parsed parsed({"-c32k", "-fobj"});
  EXPECT_EQ(parsed.settings.colourCount, tilecvt::kTrueColour);
  EXPECT_EQ(parsed.settings.format, tilecvt::OutputFormat::Raw);
  EXPECT_EQ(parsed.console.out,
            "***WARNING: TrueColor mode activated, ignoring all palette options!\n\n"
            "\n***WARNING: obj output not yet supported!\n");
}

TEST(Options, BadOptionsPrintTheirMessageAndTheUsage) {
  const std::string usage = tilecvt::UsageText("tilecvt");
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  for (const Case& c :
       {Case{{"-k", "a.bmp"}, "unknown option -k\n\n"},
        Case{{"-mx", "a.bmp"}, "unknown option -mx\n\n"},
        Case{{"-t7", "a.bmp"}, "invalid option -t7\n\n"},
        Case{{"-t", "7", "a.bmp"}, "invalid option -t 7\n\n"},
        Case{{"-fpng", "a.bmp"}, "invalid option -fpng\n\n"},
        Case{{"-c2", "a.bmp"}, "invalid option -c2\n\n"}, Case{{"-T"}, "invalid option -T\n\n"},
        Case{{"-h"}, ""}, Case{{"/?"}, ""}}) {
    Parsed parsed(c.arguments);
    EXPECT_FALSE(parsed.commandLine.proceed) << c.message;
    EXPECT_EQ(parsed.console.err, c.message + usage);
    EXPECT_EQ(parsed.console.out, "");
  }
}

TEST(Usage, TwoColumnsOfTwentyLines) {
  const std::string usage = tilecvt::UsageText("tilecvt");
  EXPECT_TRUE(usage.starts_with(
      "Usage: tilecvt [options] bmp/pcx/tga/tim/spr/png files ...\n\nOptions are:\n\n -pPal"))
      << usage;
  EXPECT_NE(usage.find("\n -pPalettename                  -m generate map (optimized)\n"),
            std::string::npos);
  EXPECT_NE(usage.find("\n -extern add extern to arrays   -align add alignment info for GCC\n"),
            std::string::npos);
  EXPECT_NE(usage.find("\n -L smallest LZ77 (slower)      -W LZ77 safe for VRAM (SWI 12h)\n"),
            std::string::npos);
  EXPECT_EQ(std::count(usage.begin(), usage.end(), '\n'), 4 + 20);
}

}  // namespace
