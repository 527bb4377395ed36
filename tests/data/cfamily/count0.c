/* options: count0=1 */
int f(int a)
{
    if (a) {
        a++;
    }   // a closing line
    return a;
}
