/* options: 8=1 13=1 */
static void on_open(void) { }
static void on_close(void) { }
void (*handlers[])(void) = {
    on_open,
    on_close,
};
void (*declared[])(void);
void dispatch(int i)
{
    handlers[i]();
}
