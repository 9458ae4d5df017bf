// Compares the committed pictures of a folder tree with freshly drawn ones, pixel
// by pixel after loading both with load_image(), whatever their file format.
// Usage: compare_pictures COMMITTED_DIR FRESH_DIR
// Names every picture that differs, is missing from either side or cannot be read;
// exits with 1 when there is one.
#include <korvi/graphics.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace korvi;

namespace {

// The .png files below the folder, as paths relative to it.
std::set<fs::path> pictures_in(const fs::path& folder) {
  std::set<fs::path> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".png")
      found.insert(fs::relative(entry.path(), folder));
  return found;
}

// Empty when both files hold the same picture, else what differs.
std::string difference(const fs::path& committed, const fs::path& fresh) {
  Image a, b;
  if (!load_image(&a, committed.c_str())) return "cannot be read";
  if (!load_image(&b, fresh.c_str())) return "cannot be read when drawn again";
  if (a.width() != b.width() || a.height() != b.height())
    return "is " + std::to_string(a.width()) + "x" + std::to_string(a.height()) +
           ", drawn again it is " + std::to_string(b.width()) + "x" + std::to_string(b.height());
  const std::uint32_t* pa = get_image_buffer(&a);
  const std::uint32_t* pb = get_image_buffer(&b);
  const long count = static_cast<long>(a.width()) * a.height();
  const auto first = std::mismatch(pa, pa + count, pb).first - pa;
  if (first == count) return "";
  long differing = 0;
  for (long i = 0; i < count; ++i) differing += pa[i] != pb[i];
  return std::to_string(differing) + " pixels differ, the first at (" +
         std::to_string(first % a.width()) + ", " + std::to_string(first / a.width()) + ")";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: compare_pictures COMMITTED_DIR FRESH_DIR\n");
    return 2;
  }
  const fs::path committed = argv[1], fresh = argv[2];
  const std::set<fs::path> old_pictures = pictures_in(committed), new_pictures = pictures_in(fresh);
  int problems = 0;
  const auto report = [&](const fs::path& name, const std::string& what) {
    std::printf("%s: %s\n", (committed / name).c_str(), what.c_str());
    ++problems;
  };
  for (const fs::path& name : new_pictures)
    if (!old_pictures.contains(name)) report(name, "is drawn but not committed");
  for (const fs::path& name : old_pictures) {
    if (!new_pictures.contains(name))
      report(name, "is committed but no longer drawn");
    else if (const std::string what = difference(committed / name, fresh / name); !what.empty())
      report(name, what);
  }
  if (problems)
    std::printf("%d picture(s) out of date: cmake --build <build> --target update_pictures\n",
                problems);
  return problems ? 1 : 0;
}
