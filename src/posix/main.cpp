// The POSIX entry point: the shell has expanded any wildcards already.
#include <csignal>

#include "posix/posix_desktop.h"
#include "posix/posix_runtime.h"
#include "run.h"

int main(int argc, char** argv) {
    // A pipe whose editor has gone must fail the write, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    vantrelpad::ArgumentVector arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(vantrelpad::same_bytes_argument(argv[i]));
    }
    vantrelpad::posix::PosixRuntime runtime;
    vantrelpad::posix::PosixDesktop desktop;
    return vantrelpad::run(arguments, runtime, desktop);
}
