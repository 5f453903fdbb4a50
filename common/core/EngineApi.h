#pragma once
// The engine's sixteen functions as resolved from the library. Private to the core layer: only
// Expression and MathEngine call them, so no other file handles a raw tree handle.
#include "core/EngineBinding.h"
#include "trevmath.h"

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

// The loaded engine (see EngineBinding::api).
inline const EngineApi &engine() { return EngineBinding::api(); }

} // namespace trev
