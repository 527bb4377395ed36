/* Calls: linking, undefined modules, recursion, "->" calls, dotted names. */
#include <stdio.h>

struct ops { void (*run)(int); };

static int fact(int n)
{
    return n <= 1 ? 1 : n * fact(n - 1);
}

void report(struct ops *o, int v)
{
    printf("%d\n", fact(v));
    printf("again\n");
    o->run(v);
    o-> run(v);
    o->stop (v);
    ctx.handler(v);
    ::global_hook(v);
    if (sizeof(v) == 4) return;
    while (check(v)) v--;
}
