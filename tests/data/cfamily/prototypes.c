/* Candidates: prototypes, declaration lists, K&R definitions, file-level macro calls. */
int f(void);
int a, b(3);
static int g(int x, int y);

int f(void)
{
    return g(1, 2);
}

int kr(a, b)
int a;
char *b;
{
    return a;
}

DECLARE_THING(widget)
int after_macro(void)
{
    return 0;
}

static int g(int x, int y) { return x + y; }

int
split_name
(int v)
{
    return v;
}

void (*handler)(int);
int takes_callback(void (*cb)(int), int n)
{
    cb(n);
    return n;
}
