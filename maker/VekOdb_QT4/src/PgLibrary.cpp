#include "PgLibrary.h"

namespace {

struct LoadedClient {
  PgLibrary functions{};
  bool loaded = false;
  std::string why;

  LoadedClient() {
    void* client = loadPgClient(why);
    if (client == nullptr) return;
    bool found = true;
#define VEKODB_PG_FIND(name) found = find(client, #name, functions.name) && found;
    VEKODB_PG_FUNCTIONS(VEKODB_PG_FIND)
#undef VEKODB_PG_FIND
    loaded = found;
  }

  template <typename Function>
  bool find(void* client, const char* name, Function& function) {
    function = reinterpret_cast<Function>(findPgFunction(client, name));
    if (function == nullptr && why.empty()) why = std::string("the client has no ") + name;
    return function != nullptr;
  }
};

}  // namespace

const PgLibrary* pgLibrary(std::string* why) {
  static const LoadedClient client;
  if (why != nullptr) *why = client.why;
  return client.loaded ? &client.functions : nullptr;
}
