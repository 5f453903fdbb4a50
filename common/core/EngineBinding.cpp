#include "core/EngineApi.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <limits.h>

namespace trev {
namespace {

struct BindingState {
    bool attempted = false;
    bool loaded = false;
    std::string error;
    std::string libraryPath;
    EngineApi api;
    std::function<void(const std::string &)> onFailure;
};

BindingState &state()
{
    static BindingState s;
    return s;
}

template <typename Fn>
bool resolve(void *library, const char *name, Fn &slot, std::string &missing)
{
    slot = reinterpret_cast<Fn>(dlsym(library, name));
    if (!slot) {
        if (!missing.empty())
            missing += ", ";
        missing += name;
    }
    return slot != nullptr;
}

} // namespace

std::string EngineBinding::programFolder()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

void EngineBinding::setLibraryPath(const std::string &path) { state().libraryPath = path; }

void EngineBinding::setFailureHandler(std::function<void(const std::string &)> handler)
{
    state().onFailure = std::move(handler);
}

bool EngineBinding::load(std::string *error)
{
    BindingState &s = state();
    if (!s.attempted) {
        s.attempted = true;
        std::string path = s.libraryPath.empty() ? programFolder() + "/" + LibraryFileName : s.libraryPath;
        void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            s.error = "The math engine library \"" + path + "\" could not be loaded";
            if (const char *why = dlerror())
                s.error += std::string(": ") + why;
            s.error += ".";
        } else {
            std::string missing;
            EngineApi &a = s.api;
            resolve(library, "InitTrevolin", a.InitTrevolin, missing);
            resolve(library, "ClearTrevolin", a.ClearTrevolin, missing);
            resolve(library, "CrTree", a.CrTree, missing);
            resolve(library, "CrTree2", a.CrTree2, missing);
            resolve(library, "CopyTree", a.CopyTree, missing);
            resolve(library, "DelTree", a.DelTree, missing);
            resolve(library, "EvalTree", a.EvalTree, missing);
            resolve(library, "StrTree", a.StrTree, missing);
            resolve(library, "DerTree", a.DerTree, missing);
            resolve(library, "FindRoot", a.FindRoot, missing);
            resolve(library, "Integrate", a.Integrate, missing);
            resolve(library, "EditParameters", a.EditParameters, missing);
            resolve(library, "ShowParameters", a.ShowParameters, missing);
            resolve(library, "EvalConst", a.EvalConst, missing);
            resolve(library, "AddConst", a.AddConst, missing);
            resolve(library, "AddFun", a.AddFun, missing);
            if (missing.empty()) {
                s.loaded = true;
            } else {
                s.error = "The math engine library \"" + path + "\" lacks the function(s) " + missing + ".";
                s.api = EngineApi();
            }
        }
    }
    if (!s.loaded && error)
        *error = s.error;
    return s.loaded;
}

const EngineApi &EngineBinding::api()
{
    BindingState &s = state();
    if (s.loaded)
        return s.api;
    std::string error;
    if (!load(&error)) {
        if (s.onFailure)
            s.onFailure(error);
        else
            std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    return s.api;
}

} // namespace trev
