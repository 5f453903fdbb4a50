#pragma once
// Late binding of the math engine: libtrevmath.so is loaded from the program folder at the
// first engine call and stays loaded for the whole run, so each program has its own engine
// instance. Qt-free, so both programs and the plain tests can use it.
#include "trevmath.h"

#include <functional>
#include <string>

namespace trev {

// The sixteen engine functions, resolved by name.
struct EngineApi {
    decltype(&::InitTrevolin) InitTrevolin = nullptr;
    decltype(&::ClearTrevolin) ClearTrevolin = nullptr;
    decltype(&::CrTree) CrTree = nullptr;
    decltype(&::CrTree2) CrTree2 = nullptr;
    decltype(&::CopyTree) CopyTree = nullptr;
    decltype(&::DelTree) DelTree = nullptr;
    decltype(&::EvalTree) EvalTree = nullptr;
    decltype(&::StrTree) StrTree = nullptr;
    decltype(&::DerTree) DerTree = nullptr;
    decltype(&::FindRoot) FindRoot = nullptr;
    decltype(&::Integrate) Integrate = nullptr;
    decltype(&::EditParameters) EditParameters = nullptr;
    decltype(&::ShowParameters) ShowParameters = nullptr;
    decltype(&::EvalConst) EvalConst = nullptr;
    decltype(&::AddConst) AddConst = nullptr;
    decltype(&::AddFun) AddFun = nullptr;
};

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

// Shorthand used throughout the programs: trev::engine().EvalTree(...)
inline const EngineApi &engine() { return EngineBinding::api(); }

} // namespace trev
