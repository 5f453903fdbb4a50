#pragma once
// Late binding of the math engine: libtrevmath.so is loaded from the program folder at the
// first engine call and stays loaded for the whole run, so each program has its own engine
// instance. Qt-free. The resolved functions (EngineApi.h) are seen only by the core layer;
// everything else reaches the engine through Expression and MathEngine.
#include <functional>
#include <string>

namespace trev {

struct EngineApi;

class EngineBinding {
public:
    static constexpr const char *LibraryFileName = "libtrevmath.so";

    // The engine, loaded on first use. When the library or one of its exports is missing the
    // failure handler is told which, and the program ends; this never returns a partial table.
    static const EngineApi &api();

    // Tries to load the engine without ending the program; on failure `error` says what is
    // missing. Loading happens once; later calls report the first outcome.
    static bool load(std::string *error = nullptr);

    // Folder of the running program (where the library, lang/ and help/ live).
    static std::string programFolder();

    // Overrides the library file to load (tests); must be called before the first load.
    static void setLibraryPath(const std::string &path);

    // Called with a user-readable message when loading fails; the program ends after it returns.
    static void setFailureHandler(std::function<void(const std::string &)> handler);
};


} // namespace trev
