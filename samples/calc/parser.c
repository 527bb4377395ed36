/* parser.c - recursive-descent evaluation of a token list. */
#include "calc.h"

typedef struct {
    const Token *tokens;
    int count;
    int pos;
    int error;
} Parser;

static double parse_expression(Parser *p);

static const Token *peek(Parser *p)
{
    return &p->tokens[p->pos < p->count ? p->pos : p->count];
}

static double parse_primary(Parser *p)
{
    const Token *t = peek(p);
    if (t->kind == TOK_NUM) {
        p->pos++;
        return t->value;
    }
    if (t->kind == TOK_MINUS) {
        p->pos++;
        return -parse_primary(p);
    }
    if (t->kind == TOK_LPAREN) {
        double v;
        p->pos++;
        v = parse_expression(p);
        if (peek(p)->kind != TOK_RPAREN) {
            report_error("missing )", p->pos);
            p->error = 1;
        } else {
            p->pos++;
        }
        return v;
    }
    report_error("number expected", p->pos);
    p->error = 1;
    return 0;
}

static double parse_term(Parser *p)
{
    double v = parse_primary(p);
    for (;;) {
        TokenKind k = peek(p)->kind;
        if (k == TOK_MUL) {
            p->pos++;
            v *= parse_primary(p);
        } else if (k == TOK_DIV) {
            double d;
            p->pos++;
            d = parse_primary(p);
            v = d != 0 ? v / d : 0;
        } else {
            return v;
        }
    }
}

static double parse_expression(Parser *p)
{
    double v = parse_term(p);
    while (peek(p)->kind == TOK_PLUS || peek(p)->kind == TOK_MINUS) {
        int plus = peek(p)->kind == TOK_PLUS;
        p->pos++;
        v = plus ? v + parse_term(p) : v - parse_term(p);
    }
    return v;
}

double evaluate(const Token *tokens, int count, int *error)
{
    Parser p;
    double v;
    p.tokens = tokens;
    p.count = count;
    p.pos = 0;
    p.error = 0;
    v = parse_expression(&p);
    *error = p.error;
    return v;
}
