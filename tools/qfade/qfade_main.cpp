// qfade: the fade engine on the command line. All parsing and fading lives in
// fade/qfade_args, the reading of a scheme in schemes/scheme_colors; this file only gathers
// the arguments, the scheme files and standard input, and writes the markup out as it is made,
// block by block through one buffer.
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/utf.h"
#include "fade/qfade_args.h"
#include "schemes/scheme_colors.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The size of standard input when it is a regular file (redirected from a file), else 0.
std::size_t StdinSizeHint() {
#ifdef _WIN32
  struct _stat64 info;
  if (_fstat64(_fileno(stdin), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return 0;
#else
  struct stat info;
  if (fstat(fileno(stdin), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
#endif
  return info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

// All of standard input, held in one malloc'd buffer: sized once from the file's size when it
// is a file (one byte more, to see the end in the same read), otherwise grown by doubling with
// realloc (which large blocks resize in place, by remapping, rather than by copying). Read
// straight into the buffer, never through a second one.
class StdinText {
 public:
  StdinText() = default;
  StdinText(const StdinText&) = delete;
  StdinText& operator=(const StdinText&) = delete;
  ~StdinText() { std::free(data_); }

  // Reads to the end; false when reading failed or memory ran out.
  bool ReadAll() {
    std::size_t capacity = StdinSizeHint() + 1;
    if (capacity < 65536) capacity = 65536;
    while (true) {
      if (size_ == capacity_ && !Grow(capacity)) return false;
      const std::size_t wanted = capacity_ - size_;
      const std::size_t got = std::fread(data_ + size_, 1, wanted, stdin);
      size_ += got;
      if (got < wanted) return std::ferror(stdin) == 0;
      capacity = capacity_ * 2;
    }
  }

  std::string_view View() const { return {data_, size_}; }

 private:
  bool Grow(std::size_t capacity) {
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) return false;
    data_ = grown;
    capacity_ = capacity;
    return true;
  }

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// The whole of the file at `path` (UTF-8), or nullopt when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path) {
#ifdef _WIN32
  const std::optional<std::u16string> wide = qf::Utf8ToUtf16(path);
  if (!wide) return std::nullopt;
  std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(wide->c_str()), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

// The colours of the request's scheme, from scheme.lst and color.dat in its folder; false
// (with the message printed) when they cannot be had.
bool ReadScheme(qf::QfadeRequest& request) {
  const char last = request.schemeDir.back();
  const std::string folder =
      last == '/' || last == '\\' ? request.schemeDir : request.schemeDir + "/";
  const std::string listPath = folder + "scheme.lst";
  const std::string colorPath = folder + "color.dat";
  const std::optional<std::string> list = ReadFile(listPath);
  if (!list) {
    std::fprintf(stderr, "qfade: cannot read %s\n", listPath.c_str());
    return false;
  }
  const std::optional<std::string> colors = ReadFile(colorPath);
  if (!colors) {
    std::fprintf(stderr, "qfade: cannot read %s\n", colorPath.c_str());
    return false;
  }
  qf::SchemeColors scheme = qf::SchemeColorsFrom(*list, *colors, *request.scheme,
                                                 request.schemeStops, listPath, colorPath);
  if (!scheme.error.empty()) {
    std::fprintf(stderr, "qfade: %s\n", scheme.error.c_str());
    return false;
  }
  request.colors = std::move(scheme.colors);
  return true;
}

// The one output block: the markup is written into it and handed to stdout each time it
// fills. 64 KiB is the size of a Linux pipe, and large enough that stdio passes it straight to
// write().
std::array<char, 65536> outputBlock;

int Run(const std::vector<std::string>& args) {
  const qf::QfadeParse parse = qf::ParseQfadeArgs(args);
  if (!parse.request) {
    std::fprintf(stderr, "%s\n", parse.error.c_str());
    return 2;
  }
  qf::QfadeRequest request = *parse.request;
  if (request.help) {
    std::fputs(qf::kQfadeUsage, stdout);
    return 0;
  }
  if (request.version) {
    std::fputs("qfade " QF_VERSION " (Quelvane Fader)\n", stdout);
    return 0;
  }
  if (request.listFormats) {
    std::fputs(qf::QfadeFormatList().c_str(), stdout);
    return 0;
  }
  if (request.scheme && !ReadScheme(request)) return 2;
  StdinText input;
  std::string_view text = request.text;
  if (request.readStdin) {
    if (!input.ReadAll()) {
      std::fprintf(stderr, "qfade: cannot read standard input\n");
      return 2;
    }
    text = input.View();
  }
  // The blocks are large: unbuffered, each goes out in one write instead of being split
  // around stdio's small buffer.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const qf::QfadeStreamed result =
      qf::StreamQfade(request, text, outputBlock, [](std::string_view block) {
        return std::fwrite(block.data(), 1, block.size(), stdout) == block.size();
      });
  if (result.exitStatus == 2) {
    std::fprintf(stderr, "%s\n", result.error.c_str());
    return 2;
  }
  const bool flushed = std::fflush(stdout) == 0;
  return result.exitStatus == 0 && flushed ? 0 : 1;
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over as UTF-16; binary mode keeps "\n" from becoming "\r\n" and
// standard input byte-exact.
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u16string_view arg(reinterpret_cast<const char16_t*>(argv[i]),
                                  std::char_traits<wchar_t>::length(argv[i]));
    args.push_back(qf::Utf16ToUtf8(arg));
  }
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
