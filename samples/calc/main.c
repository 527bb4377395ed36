/* main.c - reads expressions line by line and prints their values. */
#include <stdio.h>
#include <string.h>
#include "calc.h"

void report_error(const char *message, int position)
{
    fprintf(stderr, "error at %d: %s\n", position, message);
}

static int calculate(const char *line)
{
    Token tokens[CALC_MAX_TOKENS];
    int error = 0;
    int count = tokenize(line, tokens, CALC_MAX_TOKENS);
    double value;

    if (count < 0)
        return 1;
    value = evaluate(tokens, count, &error);
    if (!error)
        printf("%g\n", value);
    return error;
}

int main(void)
{
    char line[512];
    int failures = 0;

    while (fgets(line, sizeof line, stdin) != NULL) {
        line[strcspn(line, "\n")] = '\0';
        if (line[0] == '\0')
            continue;
        failures += calculate(line);
    }
    return failures ? 1 : 0;
}
