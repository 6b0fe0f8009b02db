// Writes the program's icon pictures as a C++ source of their pixels, so
// that the program gives its windows the icon without decoding a picture at
// start-up:
//   zqt_icon_pixels OUTPUT PICTURE...
// Each picture must be square. The source defines kIconPictures, an array of
// TIconPicture (ProgramIcon.cpp): each picture's size and its premultiplied
// ARGB32 pixels, row after row, as the toolkit draws them.
#include <QImage>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

// Writes the pixels of Picture (a file) as the array kPixels<Index>; its
// size, or 0 when it is no square picture.
int WritePixels(const char* Picture, int Index, std::ofstream& Out) {
  const QImage Image = QImage(Picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (Image.isNull() || Image.width() != Image.height()) return 0;
  const int Size = Image.width();
  Out << "const std::uint32_t kPixels" << Index << "[] = {" << std::hex;
  for (int Row = 0; Row < Size; ++Row) {
    const auto* Line = reinterpret_cast<const std::uint32_t*>(Image.constScanLine(Row));
    for (int Column = 0; Column < Size; ++Column)
      Out << ((Row * Size + Column) % 8 == 0 ? "\n   " : "") << " 0x" << Line[Column] << "u,";
  }
  Out << std::dec << "\n};\n";
  return Size;
}

}  // namespace

int main(int Count, char** Arguments) {
  if (Count < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT PICTURE...\n", Arguments[0]);
    return 2;
  }
  std::ofstream Out(Arguments[1], std::ios::trunc);
  Out << "// Generated at build time: the pixels of the program's icon.\n";
  std::vector<int> Sizes;
  for (int Index = 2; Index < Count; ++Index) {
    Sizes.push_back(WritePixels(Arguments[Index], Index - 2, Out));
    if (Sizes.back() == 0) {
      std::fprintf(stderr, "%s: not a square picture\n", Arguments[Index]);
      return 1;
    }
  }
  Out << "const TIconPicture kIconPictures[] = {";
  for (std::size_t Index = 0; Index < Sizes.size(); ++Index)
    Out << "\n    {" << Sizes[Index] << ", kPixels" << Index << "},";
  Out << "\n};\n";
  Out.close();
  return Out ? 0 : 1;
}
