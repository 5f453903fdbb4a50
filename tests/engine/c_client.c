/* A plain C caller of the engine: loads libtrevmath.so by name from its own (program) folder,
   resolves every export under its plain name and its size-carrying version, then solves
   x^2-2 = 0 on [-10, 10] the way the grapher does. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "trevmath.h"

static int failures = 0;

typedef void (*AnyFunction)(void);

/* dlsym hands out object pointers; copying the bits is the portable way to a function pointer. */
static AnyFunction symbol(void *lib, const char *name, const char *version)
{
    void *address = version ? dlvsym(lib, name, version) : dlsym(lib, name);
    AnyFunction function;
    memcpy(&function, &address, sizeof function);
    return function;
}

static void check(int ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

struct Export {
    const char *name;
    const char *version;
};

static const struct Export exports[16] = {
    {"InitTrevolin", "_0"},   {"ClearTrevolin", "_0"}, {"CrTree", "_16"},        {"CrTree2", "_12"},
    {"CopyTree", "_4"},       {"DelTree", "_4"},       {"EvalTree", "_16"},      {"StrTree", "_4"},
    {"DerTree", "_4"},        {"FindRoot", "_28"},     {"Integrate", "_24"},     {"EditParameters", "_8"},
    {"ShowParameters", "_4"}, {"EvalConst", "_12"},    {"AddConst", "_12"},      {"AddFun", "_8"},
};

int main(void)
{
    char folder[4096];
    ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 32);
    if (length <= 0)
        return 1;
    folder[length] = '\0';
    strcpy(strrchr(folder, '/') + 1, "libtrevmath.so");

    void *lib = dlopen(folder, RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        fprintf(stderr, "cannot load %s: %s\n", folder, dlerror());
        return 1;
    }
    for (int i = 0; i < 16; ++i) {
        void *plain = dlsym(lib, exports[i].name);
        void *versioned = dlvsym(lib, exports[i].name, exports[i].version);
        char what[128];
        snprintf(what, sizeof what, "%s resolves under both names to one function", exports[i].name);
        check(plain != NULL && plain == versioned, what);
    }
    check(dlsym(lib, "EvaluateNode") == NULL, "internal functions are not exported");

    void (*init)(void) = (void (*)(void))symbol(lib, "InitTrevolin", NULL);
    void (*clear)(void) = (void (*)(void))symbol(lib, "ClearTrevolin", NULL);
    TrevHandle (*crTree2)(const char *, int32_t *, int32_t *) =
        (TrevHandle(*)(const char *, int32_t *, int32_t *))symbol(lib, "CrTree2", NULL);
    TrevHandle (*derTree)(TrevHandle) = (TrevHandle(*)(TrevHandle))symbol(lib, "DerTree", NULL);
    void (*delTree)(TrevHandle) = (void (*)(TrevHandle))symbol(lib, "DelTree", NULL);
    double (*evalTree)(TrevHandle, double, int32_t *) = (double (*)(TrevHandle, double, int32_t *))symbol(lib, "EvalTree", NULL);
    double (*findRoot)(TrevHandle, TrevHandle, double, double, int32_t *) =
        (double (*)(TrevHandle, TrevHandle, double, double, int32_t *))symbol(lib, "FindRoot", "_28");
    if (!init || !clear || !crTree2 || !derTree || !delTree || !evalTree || !findRoot)
        return 1;

    init();
    int32_t err = 0, errpos = 0;
    TrevHandle f = crTree2("x^2-2", &err, &errpos);
    check(f != 0 && err == 0, "x^2-2 parses");
    TrevHandle f1 = derTree(f);
    TrevHandle f2 = derTree(f1);
    check(f1 != 0 && f2 != 0, "two derivatives");

    /* The scan: samples at a-h and a, a+h, ..., b; every sign change refined by FindRoot. */
    const double a = -10, b = 10;
    const int steps = 1000;
    const double h = (b - a) / steps;
    double roots[8];
    int found = 0;
    double x = a - h;
    double previous = evalTree(f, x, &err);
    for (int i = 0; i <= steps; ++i) {
        x = a + i * h;
        double value = evalTree(f, x, &err);
        if (err == 0 && previous * value < 0) {
            int32_t rootErr = 0;
            double root = findRoot(f, f1, x - h, x, &rootErr);
            if (rootErr == 0 && fabs(evalTree(f, root, &err)) < 1e-8 && found < 8)
                roots[found++] = root;
        }
        previous = value;
    }
    check(found == 2, "exactly two roots");
    if (found == 2) {
        char first[32], second[32];
        snprintf(first, sizeof first, "%.8f", roots[0]);
        snprintf(second, sizeof second, "%.8f", roots[1]);
        check(strcmp(first, "-1.41421356") == 0, "first root -1.41421356");
        check(strcmp(second, "1.41421356") == 0, "second root 1.41421356");
        printf("roots: %s %s\n", first, second);
    }
    delTree(f2);
    delTree(f1);
    delTree(f);
    delTree(f); /* a second release of the same handle is ignored */
    clear();
    dlclose(lib);
    if (failures == 0)
        printf("c client: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
