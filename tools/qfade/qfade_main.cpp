// qfade: the fade engine on the command line. All parsing and fading lives in
// fade/qfade_args; this file only gathers the arguments and standard input and prints.
#include <cstdio>
#include <string>
#include <vector>

#include "core/utf.h"
#include "fade/qfade_args.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int Run(const std::vector<std::string>& args) {
  const qf::QfadeParse parse = qf::ParseQfadeArgs(args);
  if (!parse.request) {
    std::fprintf(stderr, "%s\n", parse.error.c_str());
    return 2;
  }
  const qf::QfadeRequest& request = *parse.request;
  if (request.help) {
    std::fputs(qf::kQfadeUsage, stdout);
    return 0;
  }
  std::string text = request.text;
  if (request.readStdin) {
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) text.append(buffer, got);
    if (std::ferror(stdin)) {
      std::fprintf(stderr, "qfade: cannot read standard input\n");
      return 2;
    }
  }
  const qf::QfadeOutput result = qf::RunQfade(request, text);
  if (!result.output) {
    std::fprintf(stderr, "%s\n", result.error.c_str());
    return 2;
  }
  std::fwrite(result.output->data(), 1, result.output->size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
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
