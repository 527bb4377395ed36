/* Calls in a second definition and in file-level initialisers. */
int work(void)
{
    return step();
}
int sizes[] = { compute(1), compute(2) };
int work(void)
{
    return other_step();
}
