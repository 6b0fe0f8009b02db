#include "ProgramIcon.h"

#include <QImage>
#include <QPixmap>
#include <cstdint>

namespace {

// One picture: Size by Size premultiplied ARGB32 pixels, row after row.
struct TIconPicture {
  int Size;
  const std::uint32_t* Pixels;
};

#include "ProgramIconPixels.inc"

}  // namespace

QIcon ProgramIcon() {
  QIcon Icon;
  for (const TIconPicture& Picture : kIconPictures) {
    // The pixels are read where they are, not copied, until the pixmap is made.
    const QImage Image(reinterpret_cast<const uchar*>(Picture.Pixels), Picture.Size, Picture.Size,
                       QImage::Format_ARGB32_Premultiplied);
    Icon.addPixmap(QPixmap::fromImage(Image));
  }
  return Icon;
}
