#include "ElfSection.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace {

class TFile {
 public:
  explicit TFile(const std::string& FileName)
      : FHandle(open(FileName.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat Info;
    if (FHandle >= 0 && fstat(FHandle, &Info) == 0 && S_ISREG(Info.st_mode)) FSize = Info.st_size;
  }
  ~TFile() {
    if (FHandle >= 0) close(FHandle);
  }
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  bool Contains(std::uint64_t Offset, std::uint64_t Size) const {
    return Offset <= FSize && Size <= FSize - Offset;
  }

  // Reads Size bytes at Offset; false unless all of them lie inside the file.
  bool Read(std::uint64_t Offset, void* Buffer, std::size_t Size) const {
    if (!Contains(Offset, Size)) return false;
    auto* Bytes = static_cast<char*>(Buffer);
    while (Size > 0) {
      const ssize_t Count = pread(FHandle, Bytes, Size, static_cast<off_t>(Offset));
      if (Count <= 0) return false;
      Bytes += Count;
      Offset += Count;
      Size -= Count;
    }
    return true;
  }

 private:
  int FHandle;
  std::uint64_t FSize = 0;  // 0 for anything but a regular file
};

bool IsSupportedHeader(const Elf64_Ehdr& Header) {
  return std::memcmp(Header.e_ident, ELFMAG, SELFMAG) == 0 &&
         Header.e_ident[EI_CLASS] == ELFCLASS64 && Header.e_ident[EI_DATA] == ELFDATA2LSB &&
         Header.e_shentsize == sizeof(Elf64_Shdr) && Header.e_shnum > 0 &&
         Header.e_shnum < SHN_LORESERVE && Header.e_shstrndx < Header.e_shnum;
}

bool ReadSectionHeader(const TFile& File, const Elf64_Ehdr& Header, std::size_t Index,
                       Elf64_Shdr& Section) {
  return File.Read(Header.e_shoff + Index * sizeof(Elf64_Shdr), &Section, sizeof(Section));
}

// Whether the section's name, read from the section name table, is Name.
bool HasName(const TFile& File, const Elf64_Shdr& Names, const Elf64_Shdr& Section,
             const std::string& Name) {
  const std::size_t Size = Name.size() + 1;  // with its NUL
  if (Section.sh_name > Names.sh_size || Size > Names.sh_size - Section.sh_name) return false;
  std::string Found(Size, '\0');
  return File.Read(Names.sh_offset + Section.sh_name, Found.data(), Size) &&
         std::memcmp(Found.c_str(), Name.c_str(), Size) == 0;
}

}  // namespace

bool ReadElfSection(const std::string& FileName, const std::string& Name, std::size_t MaxSize,
                    std::vector<BYTE>& Content) {
  const TFile File(FileName);
  Elf64_Ehdr Header;
  Elf64_Shdr Names;
  if (!File.Read(0, &Header, sizeof(Header)) || !IsSupportedHeader(Header) ||
      !File.Contains(Header.e_shoff, Header.e_shnum * sizeof(Elf64_Shdr)) ||
      !ReadSectionHeader(File, Header, Header.e_shstrndx, Names) || Names.sh_type == SHT_NOBITS ||
      !File.Contains(Names.sh_offset, Names.sh_size))
    return false;
  for (std::size_t Index = 0; Index < Header.e_shnum; ++Index) {
    Elf64_Shdr Section;
    if (!ReadSectionHeader(File, Header, Index, Section)) return false;
    if (!HasName(File, Names, Section, Name)) continue;
    if (Section.sh_type == SHT_NOBITS || Section.sh_size > MaxSize) return false;
    Content.resize(Section.sh_size);
    return File.Read(Section.sh_offset, Content.data(), Content.size());
  }
  return false;
}
