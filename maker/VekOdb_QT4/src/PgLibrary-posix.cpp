#include <dlfcn.h>

#include "PgLibrary.h"

void* loadPgClient(std::string& why) {
  // Never closed: the client's TLS library keeps exit handlers of its own.
  void* client = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
  if (client == nullptr) why = dlerror();
  return client;
}

void* findPgFunction(void* client, const char* name) { return dlsym(client, name); }
