/* Path numbers: 1 per function plus each branch point. */
int eight(int a, int b)
{
    int r = 0;
    if (a) r++;
    for (r = 0; r < b; r++) { }
    switch (b) {
    case 1: r = 1; break;
    case 2: r = 2; break;
    case 3: r = 3; break;
    default: r = 0;
    }
    return a > b ? a : r;
}

int chain(int a)
{
    if (a == 1) return 1;
    else if (a == 2) return 2;
    else return 3;
}

int quiet(int a)
{
    /* if (a) ? for while switch case */
    const char *s = "if ? while (x) case";
    char c = '?';
    return a && c || s[0];
}

int oneline(int a)
{
    if (a) { a++; } else { a--; }
    return a;
}

#define MAX(a,b) ((a)>(b)?(a):(b))
