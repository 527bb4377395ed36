/*
 * expr.c - a recursive-descent parser and evaluator for arithmetic expressions with
 * variables, functions and a tiny bytecode compiler.
 */
#include <ctype.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "expr.h"

#define MAX_DEPTH 64
#define MAX_CODE 4096
#define MAX_VARS 128
#define IS_IDENT_START(c) (isalpha((unsigned char)(c)) || (c) == '_')
#define IS_IDENT(c) (isalnum((unsigned char)(c)) || (c) == '_')
#define EMIT(p, op) do { if ((p)->ncode < MAX_CODE) (p)->code[(p)->ncode++] = (op); } while (0)

typedef enum {
    TOK_END, TOK_NUM, TOK_IDENT, TOK_PLUS, TOK_MINUS, TOK_STAR, TOK_SLASH,
    TOK_CARET, TOK_LPAREN, TOK_RPAREN, TOK_COMMA, TOK_ASSIGN, TOK_QUESTION,
    TOK_COLON, TOK_LT, TOK_GT, TOK_ERROR
} token_kind;

typedef enum {
    OP_PUSH, OP_LOAD, OP_STORE, OP_ADD, OP_SUB, OP_MUL, OP_DIV, OP_POW, OP_NEG,
    OP_CALL, OP_LT, OP_GT, OP_JUMP, OP_JUMP_IF_ZERO, OP_HALT
} opcode;

typedef struct {
    token_kind kind;
    double number;
    char name[32];
} token;

typedef struct {
    const char *src;
    const char *pos;
    token current;
    int depth;
    char error[128];
    double code[MAX_CODE];
    int ncode;
} parser;

typedef double (*builtin_fn)(double);

static const struct {
    const char *name;
    builtin_fn fn;
} builtins[] = {
    { "sin", sin },
    { "cos", cos },
    { "sqrt", sqrt },
    { "abs", fabs },
    { "log", log },
};

static struct {
    char name[32];
    double value;
} vars[MAX_VARS];
static int nvars;

static void set_error(parser *p, const char *msg)
{
    if (p->error[0] == '\0')
        snprintf(p->error, sizeof p->error, "%s at offset %ld", msg, (long)(p->pos - p->src));
}

static void next_token(parser *p)
{
    const char *s = p->pos;
    token *t = &p->current;

    while (isspace((unsigned char)*s))
        s++;
    p->pos = s;
    if (*s == '\0') {
        t->kind = TOK_END;
        return;
    }
    if (isdigit((unsigned char)*s) || (*s == '.' && isdigit((unsigned char)s[1]))) {
        char *end;
        t->number = strtod(s, &end);
        t->kind = TOK_NUM;
        p->pos = end;
        return;
    }
    if (IS_IDENT_START(*s)) {
        size_t n = 0;
        while (IS_IDENT(s[n]) && n + 1 < sizeof t->name) {
            t->name[n] = s[n];
            n++;
        }
        t->name[n] = '\0';
        t->kind = TOK_IDENT;
        p->pos = s + n;
        while (IS_IDENT(*p->pos))
            p->pos++;
        return;
    }
    p->pos = s + 1;
    switch (*s) {
    case '+': t->kind = TOK_PLUS; break;
    case '-': t->kind = TOK_MINUS; break;
    case '*': t->kind = TOK_STAR; break;
    case '/': t->kind = TOK_SLASH; break;
    case '^': t->kind = TOK_CARET; break;
    case '(': t->kind = TOK_LPAREN; break;
    case ')': t->kind = TOK_RPAREN; break;
    case ',': t->kind = TOK_COMMA; break;
    case '=': t->kind = TOK_ASSIGN; break;
    case '?': t->kind = TOK_QUESTION; break;
    case ':': t->kind = TOK_COLON; break;
    case '<': t->kind = TOK_LT; break;
    case '>': t->kind = TOK_GT; break;
    default:
        t->kind = TOK_ERROR;
        set_error(p, "unexpected character");
        break;
    }
}

static int find_var(const char *name, int create)
{
    int i;
    for (i = 0; i < nvars; i++)
        if (strcmp(vars[i].name, name) == 0)
            return i;
    if (!create || nvars == MAX_VARS)
        return -1;
    strncpy(vars[nvars].name, name, sizeof vars[nvars].name - 1);
    vars[nvars].value = 0.0;
    return nvars++;
}

static int find_builtin(const char *name)
{
    size_t i;
    for (i = 0; i < sizeof builtins / sizeof builtins[0]; i++)
        if (strcmp(builtins[i].name, name) == 0)
            return (int)i;
    return -1;
}

static void parse_expression(parser *p);

static void parse_primary(parser *p)
{
    token t = p->current;

    if (++p->depth > MAX_DEPTH) {
        set_error(p, "expression nested too deeply");
        return;
    }
    switch (t.kind) {
    case TOK_NUM:
        EMIT(p, OP_PUSH);
        EMIT(p, t.number);
        next_token(p);
        break;
    case TOK_IDENT:
        next_token(p);
        if (p->current.kind == TOK_LPAREN) {
            int fn = find_builtin(t.name);
            next_token(p);
            parse_expression(p);
            if (p->current.kind != TOK_RPAREN)
                set_error(p, "missing ')'");
            next_token(p);
            if (fn < 0)
                set_error(p, "unknown function");
            EMIT(p, OP_CALL);
            EMIT(p, fn);
        } else if (p->current.kind == TOK_ASSIGN) {
            int v = find_var(t.name, 1);
            next_token(p);
            parse_expression(p);
            EMIT(p, OP_STORE);
            EMIT(p, v);
        } else {
            int v = find_var(t.name, 0);
            if (v < 0)
                set_error(p, "unknown variable");
            EMIT(p, OP_LOAD);
            EMIT(p, v);
        }
        break;
    case TOK_LPAREN:
        next_token(p);
        parse_expression(p);
        if (p->current.kind != TOK_RPAREN)
            set_error(p, "missing ')'");
        next_token(p);
        break;
    case TOK_MINUS:
        next_token(p);
        parse_primary(p);
        EMIT(p, OP_NEG);
        break;
    default:
        set_error(p, "expected a value");
        break;
    }
    p->depth--;
}

static void parse_power(parser *p)
{
    parse_primary(p);
    if (p->current.kind == TOK_CARET) {
        next_token(p);
        parse_power(p); /* right associative */
        EMIT(p, OP_POW);
    }
}

static void parse_term(parser *p)
{
    parse_power(p);
    while (p->current.kind == TOK_STAR || p->current.kind == TOK_SLASH) {
        token_kind k = p->current.kind;
        next_token(p);
        parse_power(p);
        EMIT(p, k == TOK_STAR ? OP_MUL : OP_DIV);
    }
}

static void parse_sum(parser *p)
{
    parse_term(p);
    while (p->current.kind == TOK_PLUS || p->current.kind == TOK_MINUS) {
        token_kind k = p->current.kind;
        next_token(p);
        parse_term(p);
        EMIT(p, k == TOK_PLUS ? OP_ADD : OP_SUB);
    }
}

static void parse_comparison(parser *p)
{
    parse_sum(p);
    if (p->current.kind == TOK_LT || p->current.kind == TOK_GT) {
        token_kind k = p->current.kind;
        next_token(p);
        parse_sum(p);
        EMIT(p, k == TOK_LT ? OP_LT : OP_GT);
    }
}

static void parse_expression(parser *p)
{
    parse_comparison(p);
    if (p->current.kind == TOK_QUESTION) {
        int jump_else, jump_end;
        next_token(p);
        EMIT(p, OP_JUMP_IF_ZERO);
        jump_else = p->ncode;
        EMIT(p, 0);
        parse_expression(p);
        EMIT(p, OP_JUMP);
        jump_end = p->ncode;
        EMIT(p, 0);
        p->code[jump_else] = p->ncode;
        if (p->current.kind != TOK_COLON)
            set_error(p, "missing ':'");
        next_token(p);
        parse_expression(p);
        p->code[jump_end] = p->ncode;
    }
}

int expr_compile(const char *src, expr_program *out, char *error, size_t error_size)
{
    parser p;
    memset(&p, 0, sizeof p);
    p.src = p.pos = src;
    next_token(&p);
    parse_expression(&p);
    if (p.current.kind != TOK_END)
        set_error(&p, "trailing input");
    EMIT(&p, OP_HALT);
    if (p.error[0] != '\0') {
        snprintf(error, error_size, "%s", p.error);
        return -1;
    }
    out->ncode = p.ncode;
    memcpy(out->code, p.code, (size_t)p.ncode * sizeof p.code[0]);
    return 0;
}

double expr_run(const expr_program *prog)
{
    double stack[MAX_DEPTH * 2];
    int sp = 0, pc = 0;

    for (;;) {
        opcode op = (opcode)prog->code[pc++];
        switch (op) {
        case OP_PUSH: stack[sp++] = prog->code[pc++]; break;
        case OP_LOAD: stack[sp++] = vars[(int)prog->code[pc++]].value; break;
        case OP_STORE: vars[(int)prog->code[pc++]].value = stack[sp - 1]; break;
        case OP_ADD: sp--; stack[sp - 1] += stack[sp]; break;
        case OP_SUB: sp--; stack[sp - 1] -= stack[sp]; break;
        case OP_MUL: sp--; stack[sp - 1] *= stack[sp]; break;
        case OP_DIV: sp--; stack[sp - 1] = stack[sp] == 0.0 ? NAN : stack[sp - 1] / stack[sp]; break;
        case OP_POW: sp--; stack[sp - 1] = pow(stack[sp - 1], stack[sp]); break;
        case OP_NEG: stack[sp - 1] = -stack[sp - 1]; break;
        case OP_CALL: {
            int fn = (int)prog->code[pc++];
            stack[sp - 1] = fn < 0 ? NAN : builtins[fn].fn(stack[sp - 1]);
            break;
        }
        case OP_LT: sp--; stack[sp - 1] = stack[sp - 1] < stack[sp]; break;
        case OP_GT: sp--; stack[sp - 1] = stack[sp - 1] > stack[sp]; break;
        case OP_JUMP: pc = (int)prog->code[pc]; break;
        case OP_JUMP_IF_ZERO:
            if (stack[--sp] == 0.0)
                pc = (int)prog->code[pc];
            else
                pc++;
            break;
        case OP_HALT:
            return sp > 0 ? stack[sp - 1] : NAN;
        }
    }
}

#ifdef EXPR_MAIN
int main(int argc, char **argv)
{
    char error[128];
    expr_program prog;
    int i;

    for (i = 1; i < argc; i++) {
        if (expr_compile(argv[i], &prog, error, sizeof error) != 0) {
            fprintf(stderr, "%s: %s\n", argv[i], error);
            continue;
        }
        printf("%s = %g\n", argv[i], expr_run(&prog));
    }
    return 0;
}
#endif
