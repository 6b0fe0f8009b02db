// Version resources of crafted files: small ELF files made by objcopy, with
// a version section added by objcopy --add-section.
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "TemporaryFolder.h"
#include "VersionInfoWriter.h"
#include "miniUtils.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

// A resource whose one string block holds FileVersion.
TVersionNode Resource(const std::string& FileVersion, const std::u16string& BlockName = u"040904E4",
                      const std::vector<TTranslation>& Translations = {{0x0409, 0x04E4}}) {
  TVersionNode Strings = ParentNode(BlockName, {TextNode(u"FileVersion", FileVersion)});
  return VersionInfo("1.0.0.0",
                     {ParentNode(u"StringFileInfo", {Strings}), VarFileInfo(Translations)});
}

void SetWord(TBytes& Block, std::size_t Offset, std::size_t Value) {
  Block.at(Offset) = Value & 0xFF;
  Block.at(Offset + 1) = (Value >> 8) & 0xFF;
}

// Where the node with Key starts in Block.
std::size_t NodeOffset(const TBytes& Block, const std::u16string& Key) {
  TBytes Pattern;
  for (char16_t Unit : Key + u'\0') {
    Pattern.push_back(Unit & 0xFF);
    Pattern.push_back(Unit >> 8);
  }
  const auto Found = std::search(Block.begin(), Block.end(), Pattern.begin(), Pattern.end());
  return (Found - Block.begin()) - 3 * sizeof(std::uint16_t);
}

template <typename Field>
void Patch(std::string& File, std::size_t Offset, Field Value) {
  std::memcpy(File.data() + Offset, &Value, sizeof(Value));
}

Elf64_Ehdr ElfHeader(const std::string& File) {
  Elf64_Ehdr Header;
  std::memcpy(&Header, File.data(), sizeof(Header));
  return Header;
}

// Where the section header of the version section starts in File.
std::size_t VersionSectionHeader(const std::string& File) {
  const Elf64_Ehdr Header = ElfHeader(File);
  Elf64_Shdr Names;
  std::memcpy(&Names, File.data() + Header.e_shoff + Header.e_shstrndx * sizeof(Elf64_Shdr),
              sizeof(Names));
  for (std::size_t Index = 0; Index < Header.e_shnum; ++Index) {
    const std::size_t Offset = Header.e_shoff + Index * sizeof(Elf64_Shdr);
    Elf64_Shdr Section;
    std::memcpy(&Section, File.data() + Offset, sizeof(Section));
    if (std::strcmp(File.c_str() + Names.sh_offset + Section.sh_name, ".versioninfo") == 0)
      return Offset;
  }
  return 0;
}

class CraftedVersionFile : public ::testing::Test {
 protected:
  // A small ELF file, made by objcopy, without a version section.
  std::string SmallElf() {
    const std::string Payload = NewName("payload"), Elf = NewName("elf");
    WriteWholeFile(Payload, "small");
    Run("objcopy -I binary -O elf64-x86-64 -B i386:x86-64 '" + Payload + "' '" + Elf + "'");
    return Elf;
  }
  // A small ELF file whose version section holds Section.
  std::string WithSection(const TBytes& Section) {
    const std::string Content = NewName("section"), Elf = NewName("elf");
    WriteWholeFile(Content, std::string(Section.begin(), Section.end()));
    Run("objcopy --add-section .versioninfo='" + Content + "' '" + SmallElf() + "' '" + Elf + "'");
    return Elf;
  }
  std::string WithBlock(const TVersionNode& Root) { return WithSection(VersionBlockBytes(Root)); }
  std::string WithFile(const std::string& Content) {
    const std::string Name = NewName("file");
    WriteWholeFile(Name, Content);
    return Name;
  }

 private:
  std::string NewName(const std::string& Kind) {
    return Folder.File(Kind + std::to_string(++FCount));
  }
  static void Run(const std::string& Command) {
    ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
  }

  TTemporaryFolder Folder;
  int FCount = 0;
};

}  // namespace

TEST_F(CraftedVersionFile, CommasAndBlanksBecomeDots) {
  const std::string File = WithBlock(Resource("1, 9, 1, 0"));
  EXPECT_EQ(FileVersionString(File, true), "1.9.1.0");
  EXPECT_EQ(FileVersionString(File, false), "1.9.1");
}

TEST_F(CraftedVersionFile, ShortVersionEndsBeforeTheThirdDot) {
  EXPECT_EQ(FileVersionString(WithBlock(Resource("2.0")), false), "2.0");
  EXPECT_EQ(FileVersionString(WithBlock(Resource("1.2.3")), false), "1.2.3");
  const std::string FiveParts = WithBlock(Resource("1.2.3.4.5"));
  EXPECT_EQ(FileVersionString(FiveParts, false), "1.2.3");
  EXPECT_EQ(FileVersionString(FiveParts, true), "1.2.3.4.5");
}

TEST_F(CraftedVersionFile, OnlyTheFirstTranslationNamesTheStringBlock) {
  const std::vector<TTranslation> GermanFirst = {{0x0407, 0x04B0}, {0x0409, 0x04E4}};
  EXPECT_EQ(FileVersionString(WithBlock(Resource("1.2.3.4", u"040904E4", GermanFirst)), true), "");
  EXPECT_EQ(FileVersionString(WithBlock(Resource("1.2.3.4", u"040704B0", GermanFirst)), true),
            "1.2.3.4");
  // Block names are matched without regard to case, as Windows matches them.
  EXPECT_EQ(FileVersionString(WithBlock(Resource("1.2.3.4", u"040904e4")), true), "1.2.3.4");
}

TEST_F(CraftedVersionFile, NoTranslationMeansNoVersion) {
  EXPECT_EQ(FileVersionString(WithBlock(Resource("1.2.3.4", u"040904E4", {})), true), "");
  const TVersionNode Strings = ParentNode(u"040904E4", {TextNode(u"FileVersion", "1.2.3.4")});
  EXPECT_EQ(
      FileVersionString(
          WithBlock(VersionInfo("1.2.3.4", {ParentNode(u"StringFileInfo", {Strings})})), true),
      "");
}

TEST_F(CraftedVersionFile, FileWithoutVersionResourceGivesNoVersion) {
  EXPECT_EQ(FileVersionString(SmallElf(), true), "");
  EXPECT_EQ(FileVersionString(WithFile("not an executable"), true), "");
  EXPECT_EQ(FileVersionString(WithFile(""), true), "");
  EXPECT_EQ(FileVersionString(WithSection({}), true), "");
  EXPECT_EQ(FileVersionString("/nonexistent/zqt/ZQTTweaker", true), "");
  EXPECT_EQ(FileVersionString("/", true), "");
}

TEST_F(CraftedVersionFile, BlockThatLiesAboutItsLayoutGivesNoVersion) {
  const TBytes Good = VersionBlockBytes(Resource("1.2.3.4"));
  ASSERT_EQ(FileVersionString(WithSection(Good), true), "1.2.3.4");
  const std::vector<std::pair<const char*, std::function<void(TBytes&)>>> Lies = {
      {"block longer than its section", [](TBytes& B) { SetWord(B, 0, B.size() + 4); }},
      {"block cut in half", [](TBytes& B) { B.resize(B.size() / 2); }},
      {"block cut inside its header", [](TBytes& B) { B.resize(3); }},
      {"block of no length", [](TBytes& B) { SetWord(B, 0, 0); }},
      {"child longer than its parent",
       [](TBytes& B) { SetWord(B, NodeOffset(B, u"StringFileInfo"), 0xFFF0); }},
      {"child of no length", [](TBytes& B) { SetWord(B, NodeOffset(B, u"040904E4"), 0); }},
      {"text longer than its node",
       [](TBytes& B) { SetWord(B, NodeOffset(B, u"FileVersion") + 2, 200); }},
      {"key without its NUL", [](TBytes& B) { SetWord(B, NodeOffset(B, u"FileVersion"), 10); }},
      {"node of unknown type", [](TBytes& B) { SetWord(B, NodeOffset(B, u"FileVersion") + 4, 7); }},
      {"translation shorter than one entry",
       [](TBytes& B) { SetWord(B, NodeOffset(B, u"Translation") + 2, 2); }},
  };
  for (const auto& [What, Lie] : Lies) {
    TBytes Block = Good;
    Lie(Block);
    EXPECT_EQ(FileVersionString(WithSection(Block), true), "") << What;
  }
}

TEST_F(CraftedVersionFile, ElfFileThatLiesAboutItsSectionsGivesNoVersion) {
  const std::string Good = ReadWholeFile(WithBlock(Resource("1.2.3.4")));
  const std::size_t Section = VersionSectionHeader(Good);
  ASSERT_NE(Section, 0u);
  const std::size_t FileSize = Good.size();
  const std::vector<std::pair<const char*, std::function<void(std::string&)>>> Lies = {
      {"cut before its section headers",
       [](std::string& F) { F.resize(ElfHeader(F).e_shoff + 10); }},
      {"section headers beyond the end",
       [](std::string& F) { Patch<Elf64_Off>(F, offsetof(Elf64_Ehdr, e_shoff), ~Elf64_Off(63)); }},
      {"name table out of range",
       [](std::string& F) {
         Patch<Elf64_Half>(F, offsetof(Elf64_Ehdr, e_shstrndx), ElfHeader(F).e_shnum);
       }},
      {"not 64-bit", [](std::string& F) { F[EI_CLASS] = ELFCLASS32; }},
      {"section beyond the end",
       [&](std::string& F) {
         Patch<Elf64_Off>(F, Section + offsetof(Elf64_Shdr, sh_offset), FileSize);
       }},
      {"section larger than the file",
       [&](std::string& F) {
         Patch<Elf64_Xword>(F, Section + offsetof(Elf64_Shdr, sh_size), FileSize);
       }},
      {"section offset that wraps around",
       [&](std::string& F) {
         Patch<Elf64_Off>(F, Section + offsetof(Elf64_Shdr, sh_offset), ~Elf64_Off(0));
       }},
      {"section name outside the name table",
       [&](std::string& F) {
         Patch<Elf64_Word>(F, Section + offsetof(Elf64_Shdr, sh_name), 0xFFFFFF);
       }},
      {"section without bytes in the file",
       [&](std::string& F) {
         Patch<Elf64_Word>(F, Section + offsetof(Elf64_Shdr, sh_type), SHT_NOBITS);
       }},
  };
  ASSERT_EQ(FileVersionString(WithFile(Good), true), "1.2.3.4");
  for (const auto& [What, Lie] : Lies) {
    std::string File = Good;
    Lie(File);
    EXPECT_EQ(FileVersionString(WithFile(File), true), "") << What;
  }
}
