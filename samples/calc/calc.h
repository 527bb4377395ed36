/* calc.h - a small expression calculator used as Lumbra32's bundled sample. */
#ifndef CALC_H
#define CALC_H

#define CALC_MAX_TOKENS 256

typedef enum { TOK_NUM, TOK_PLUS, TOK_MINUS, TOK_MUL, TOK_DIV, TOK_LPAREN, TOK_RPAREN, TOK_END } TokenKind;

typedef struct {
    TokenKind kind;
    double value;
} Token;

int tokenize(const char *text, Token *tokens, int max);
double evaluate(const Token *tokens, int count, int *error);
void report_error(const char *message, int position);

#endif
