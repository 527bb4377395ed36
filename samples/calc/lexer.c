/*
 * lexer.c - splits an expression into tokens.
 * Name: tokenize
 */
#include <ctype.h>
#include <stdlib.h>
#include "calc.h"

static int is_operator(char c)
{
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '(':
    case ')':
        return 1;
    default:
        return 0;
    }
}

static TokenKind operator_kind(char c)
{
    if (c == '+') return TOK_PLUS;
    if (c == '-') return TOK_MINUS;
    if (c == '*') return TOK_MUL;
    if (c == '/') return TOK_DIV;
    return c == '(' ? TOK_LPAREN : TOK_RPAREN;
}

int tokenize(const char *text, Token *tokens, int max)
{
    int count = 0;
    const char *p = text;

    while (*p != '\0' && count < max - 1) {
        if (isspace((unsigned char)*p)) {
            p++;
            continue;
        }
        if (isdigit((unsigned char)*p) || *p == '.') {
            char *end;
            tokens[count].kind = TOK_NUM;
            tokens[count].value = strtod(p, &end);
            p = end;
            count++;
        } else if (is_operator(*p)) {
            tokens[count].kind = operator_kind(*p);
            tokens[count].value = 0;
            p++;
            count++;
        } else {
            report_error("unexpected character", (int)(p - text));
            return -1;
        }
    }
    tokens[count].kind = TOK_END;
    return count;
}
