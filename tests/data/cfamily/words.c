/* Line words: statement kinds, pending bodies, branch continuations and levels. */
int f(int a)
{
    if (a)
    {
        a++;
    }
    else if (a < 0) {
        a--;
    } else {
        a = 0;
    }
    while (a)
        a--;
    for (a = 0; a < 3; a++) a++;
    if (a) return 1;
    do {
        a++;
    } while (a < 10);
    switch (a) {
    case 1:
        break;
    default:
        break;
    }
    if (a)
        /* pending through a comment */
        a++;
    return a;
}
