// qingyou-site: the bundled song site. Serves on loopback only; SIGINT or
// SIGTERM stops it. The first line on stdout is "listening on HOST:PORT".
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "site/catalogue.h"
#include "site/siteserver.h"

namespace {

struct Options {
  std::string host = QINGYOU_SITE_DEFAULT_HOST;
  int port = QINGYOU_SITE_DEFAULT_PORT;
  std::string catalogue;
};

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: qingyou-site [--host HOST] [--port PORT] [--catalogue FILE]\n"
               "  --host HOST       loopback address to serve on (default %s)\n"
               "  --port PORT       port, 0 for any free one (default %d)\n"
               "  --catalogue FILE  songs, one per line: id<TAB>title<TAB>singer (default:\n"
               "                    catalogue.tsv next to this program, else the source copy)\n",
               QINGYOU_SITE_DEFAULT_HOST, QINGYOU_SITE_DEFAULT_PORT);
}

std::optional<int> ParsePort(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos) {
    return std::nullopt;
  }
  const int port = std::stoi(text);
  return port <= 65535 ? std::optional(port) : std::nullopt;
}

// nullopt after printing why, or with `help` set when the usage was asked for.
std::optional<Options> ParseArguments(int argc, char** argv, bool& help) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
      return std::nullopt;
    }
    if (i + 1 >= argc || (arg != "--host" && arg != "--port" && arg != "--catalogue")) {
      std::fprintf(stderr, "qingyou-site: unexpected argument \"%s\"\n", arg.c_str());
      PrintUsage(stderr);
      return std::nullopt;
    }
    const std::string value = argv[++i];
    if (arg == "--host") {
      options.host = value;
    } else if (arg == "--catalogue") {
      options.catalogue = value;
    } else if (const std::optional<int> port = ParsePort(value)) {
      options.port = *port;
    } else {
      std::fprintf(stderr, "qingyou-site: \"%s\" is not a port number (0-65535)\n", value.c_str());
      return std::nullopt;
    }
  }
  return options;
}

// A copy beside the executable wins, so an installed site needs no source
// tree; a build tree falls back to the file in the sources.
std::string DefaultCatalogue() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path beside = self.parent_path() / "catalogue.tsv";
    if (std::filesystem::exists(beside, error)) return beside.string();
  }
  return QINGYOU_SITE_SOURCE_CATALOGUE;
}

}  // namespace

int main(int argc, char** argv) {
  bool help = false;
  const std::optional<Options> options = ParseArguments(argc, argv, help);
  if (!options) {
    if (help) PrintUsage(stdout);
    return help ? 0 : 2;
  }

  try {
    const std::string path = options->catalogue.empty() ? DefaultCatalogue() : options->catalogue;
    qingyou::site::SiteServer server(qingyou::site::LoadCatalogue(path), options->host);

    // Blocked before any thread starts, so every thread inherits the mask and
    // the signals wait for sigwait below instead of killing the process
    // while a response is half written.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    if (server.Bind(options->port) < 0) {
      std::fprintf(stderr, "qingyou-site: cannot listen on %s port %d\n", options->host.c_str(),
                   options->port);
      return 1;
    }
    std::printf("listening on %s\n", server.Authority().c_str());
    std::fflush(stdout);

    bool served = true;
    std::thread serving([&server, &served] {
      served = server.Run();
      // Wakes the main thread when serving ends on its own.
      if (!served) kill(getpid(), SIGTERM);
    });
    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    serving.join();
    if (!served) {
      std::fprintf(stderr, "qingyou-site: serving failed\n");
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qingyou-site: %s\n", e.what());
    return 1;
  }
}
