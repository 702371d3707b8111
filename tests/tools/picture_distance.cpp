// picture-distance PICTURE REFERENCE [REFERENCE...]
//
// For each reference, the number of pixels of PICTURE that differ from it by
// more than 8 in any of red, green and blue, one count a line. Browsers
// rasterise the same scene a little differently, so the browser check takes
// a 3D view as right when few pixels are off, and as told apart when the
// pictures of neighbouring views are more off than its own. All pictures
// are binary PPMs (P6, 255 levels) of one size.

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
};

// Reads a header field: a number, after white space and # comments.
bool readNumber(std::istream &in, int &value) {
  for (int c = in.peek(); c == '#' || std::isspace(c); c = in.peek()) {
    if (c == '#') {
      std::string comment;
      std::getline(in, comment);
    } else {
      in.get();
    }
  }
  return static_cast<bool>(in >> value);
}

bool readPicture(const char *path, Picture &picture) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int levels = 0;
  if (!(in >> magic) || magic != "P6" || !readNumber(in, picture.width) || !readNumber(in, picture.height) ||
      !readNumber(in, levels) || levels != 255 || picture.width < 1 || picture.height < 1)
    return false;
  in.get();  // the one white-space character before the pixels
  picture.rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return picture.rgb.size() == static_cast<std::size_t>(picture.width) * picture.height * 3;
}

long pixelsOff(const Picture &a, const Picture &b) {
  long off = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
    for (int channel = 0; channel < 3; ++channel) {
      if (std::abs(a.rgb[i + channel] - b.rgb[i + channel]) > 8) {
        ++off;
        break;
      }
    }
  }
  return off;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: picture-distance PICTURE REFERENCE [REFERENCE...]\n");
    return 2;
  }
  Picture picture;
  if (!readPicture(argv[1], picture)) {
    std::fprintf(stderr, "picture-distance: %s is not a binary PPM of 255 levels\n", argv[1]);
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    Picture reference;
    if (!readPicture(argv[i], reference)) {
      std::fprintf(stderr, "picture-distance: %s is not a binary PPM of 255 levels\n", argv[i]);
      return 2;
    }
    if (reference.width != picture.width || reference.height != picture.height) {
      std::fprintf(stderr, "picture-distance: %s is %d x %d, %s %d x %d\n", argv[1], picture.width, picture.height,
                   argv[i], reference.width, reference.height);
      return 2;
    }
    std::printf("%ld\n", pixelsOff(picture, reference));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
