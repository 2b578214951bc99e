// A shared library opened by path, its entry points looked up by name.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

class DlLibrary {
public:
    explicit DlLibrary(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    }
    DlLibrary(const DlLibrary&) = delete;
    DlLibrary& operator=(const DlLibrary&) = delete;
    ~DlLibrary() { dlclose(handle_); }

    // F is the function type as the public header declares it.
    template <typename F>
    F* get(const char* name) const {
        void* symbol = dlsym(handle_, name);
        if (symbol == nullptr) throw std::runtime_error(std::string(name) + " is not exported");
        return reinterpret_cast<F*>(symbol);
    }

private:
    void* handle_;
};
