/* options: 1=1 */
#define LIMIT 10
#define NAME "widget"
#define SWAP(a, b) do { int t = a; \
    a = b; b = t; } while (0)
#define LONG_VALUE 1 + \
    2
#define BODY(x) {
    return x;
}
#undef NAME
#include "missing.h"
#define TRAILING 3 /* a comment
                      that goes on */
extern int shared;
extern "C" {
int c_api(void) { return LIMIT; }
}
typedef struct node { int v; } node_t;
const char *text = "a string that goes \
on { and on";
int after(void) { return 0; }
