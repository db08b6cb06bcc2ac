#include "platform/ui.h"

#include "platform/headless/headless_backend.h"

namespace vlx {

ProgressIndicator::~ProgressIndicator() = default;
ModalSession::~ModalSession() = default;
Backend::~Backend() = default;

namespace {
Backend* installedBackend = nullptr;

Backend& builtInBackend() {
  static HeadlessBackend headless;
  return headless;
}
}  // namespace

Backend& platformBackend() { return installedBackend ? *installedBackend : builtInBackend(); }

void setPlatformBackend(Backend* backend) { installedBackend = backend; }

int runModalSession(ModalSession* session) { return platformBackend().runModalSession(session); }

}  // namespace vlx
