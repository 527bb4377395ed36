/* Line classes: comment lines, blank lines, code in and out of bodies. */
#include <stdio.h>

int counter;
/* a block comment
   that spans lines

   with a blank line inside */

/* x */ int shown = 1;
/* x */

int add(int a, int b)
{
    // a line comment inside a body

    return a + b; /* trailing */
}
int after_body = 2;
long also_after;
#define RESET 0
int back_to_define;

static void twice(void) {
    counter++;
}
typedef int count_t;
count_t last;
