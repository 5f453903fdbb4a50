/*
 * trevmath: the Trevolin math engine.
 *
 * The sixteen functions below are the engine's whole surface. Texts go in as zero-terminated
 * 8-bit strings; texts coming out (StrTree, ShowParameters) belong to the engine and stay valid
 * until the next call of the same function, so callers copy them at once. Trees are identified
 * by 32-bit handles; 0 is never a valid handle. Errors are reported through return codes and
 * int32 out-parameters, never by exceptions. Distinct trees may be evaluated (EvalTree,
 * FindRoot, Integrate) on several threads at once, each thread with its own x; everything else,
 * creating and deleting trees included, belongs to one thread at a time.
 */
#ifndef TREVMATH_H
#define TREVMATH_H

#include <stdint.h>

#if defined(TREVMATH_BUILDING)
#define TREVMATH_API __attribute__((visibility("default")))
#else
#define TREVMATH_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t TrevHandle;

TREVMATH_API void InitTrevolin(void);
TREVMATH_API void ClearTrevolin(void);
TREVMATH_API TrevHandle CrTree(const char *text, const char *parameters, int32_t *err, int32_t *errpos);
TREVMATH_API TrevHandle CrTree2(const char *text, int32_t *err, int32_t *errpos);
TREVMATH_API TrevHandle CopyTree(TrevHandle handle);
TREVMATH_API void DelTree(TrevHandle handle);
TREVMATH_API double EvalTree(TrevHandle handle, double x, int32_t *err);
TREVMATH_API const char *StrTree(TrevHandle handle);
TREVMATH_API TrevHandle DerTree(TrevHandle handle);
TREVMATH_API double FindRoot(TrevHandle f, TrevHandle df, double a, double b, int32_t *err);
TREVMATH_API double Integrate(TrevHandle f, double a, double b, int32_t *err);
TREVMATH_API int32_t EditParameters(TrevHandle handle, const char *parameters);
TREVMATH_API const char *ShowParameters(TrevHandle handle);
TREVMATH_API double EvalConst(const char *text, int32_t *err, int32_t *errpos);
TREVMATH_API int32_t AddConst(const char *name, double value);
TREVMATH_API int32_t AddFun(const char *name, const char *body);

/* Codes of this build that go beyond the classic table (both map to the generic message). */
#define TREVMATH_ERR_TOO_DEEP (-5)        /* expression nested too deeply, or a derivative too large */
#define TREVMATH_ERR_INVALID_HANDLE (-6)  /* a handle that is not (or no longer) a live tree */

#ifdef __cplusplus
}
#endif

#endif
