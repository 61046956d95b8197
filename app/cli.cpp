// automaten-cli: the simulation without a window, for scripts and grading.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <streambuf>

#include "cli_runner.h"
#include "engine/text.h"

namespace {

// Standard output through a buffer of its own that keeps the reason of the
// first write that failed, so that a full disk is told with its reason.
class StandardOutput : public std::streambuf {
 public:
  StandardOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    for (char* p = pbase(); p < pptr();) {
      const ssize_t n = ::write(STDOUT_FILENO, p, static_cast<std::size_t>(pptr() - p));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        if (error_ == 0) error_ = errno;
        setp(buffer_, buffer_ + sizeof buffer_);
        return false;
      }
      p += n;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return error_ == 0;
  }

  char buffer_[1 << 16];
  int error_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  StandardOutput output;
  std::ostream out(&output);
  std::vector<std::string> args(argv + 1, argv + argc);
  const int status = automaten::RunCli(args, std::cin, out, std::cerr);
  // Standard output is checked after its last write: a full disk is no success.
  out.flush();
  if (output.Error() != 0) {
    std::cerr << "automaten-cli: die Standardausgabe kann nicht geschrieben werden: "
              << automaten::SystemReason(output.Error()) << "\n";
    return automaten::kExitOutput;
  }
  return status;
}
