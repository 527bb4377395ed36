/*
 * server.c - a tiny line-based TCP server with pluggable command handlers.
 *
 * Written in the style of C daemons: K&R leftovers, macros, function-pointer
 * tables, conditional compilation and long switch statements.
 */
#include <errno.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <sys/socket.h>
#include <netinet/in.h>

#include "server.h"
#include "../common/buffer.h"

#ifndef MAX_CLIENTS
#define MAX_CLIENTS 64
#endif

#define LINE_MAX_LEN 1024
#define ARRAY_SIZE(a) (sizeof(a) / sizeof((a)[0]))
#define CHECK(expr, msg)                                  \
    do {                                                  \
        if (!(expr)) {                                    \
            log_msg(LOG_ERR, "%s: %s", msg, strerror(errno)); \
            goto fail;                                    \
        }                                                 \
    } while (0)

#ifdef __cplusplus
extern "C" {
#endif

enum log_level { LOG_DEBUG, LOG_INFO, LOG_WARN, LOG_ERR };

struct client {
    int fd;
    char buffer[LINE_MAX_LEN];
    size_t used;
    int authenticated;
    struct client *next;
};

typedef int (*command_fn)(struct client *c, int argc, char **argv);

struct command {
    const char *name;
    command_fn run;
    int needs_auth;
};

static struct client *clients;
static volatile sig_atomic_t stopping;
static int verbosity = LOG_INFO;

static void log_msg(int level, const char *fmt, ...)
{
    va_list ap;
    static const char *names[] = { "debug", "info", "warn", "error" };

    if (level < verbosity)
        return;
    fprintf(stderr, "[%s] ", names[level]);
    va_start(ap, fmt);
    vfprintf(stderr, fmt, ap);
    va_end(ap);
    fputc('\n', stderr);
}

static int reply(struct client *c, const char *fmt, ...)
{
    char out[LINE_MAX_LEN];
    va_list ap;
    int n;

    va_start(ap, fmt);
    n = vsnprintf(out, sizeof out, fmt, ap);
    va_end(ap);
    if (n < 0 || (size_t)n >= sizeof out)
        return -1;
    return write(c->fd, out, (size_t)n) == n ? 0 : -1;
}

/* Old-style definitions survive in this code base. */
static int
split_words(line, argv, max)
    char *line;
    char **argv;
    int max;
{
    int argc = 0;
    char *p = line;

    while (*p && argc < max) {
        while (*p == ' ' || *p == '\t')
            *p++ = '\0';
        if (!*p)
            break;
        argv[argc++] = p;
        while (*p && *p != ' ' && *p != '\t')
            p++;
    }
    return argc;
}

static int cmd_help(struct client *c, int argc, char **argv);
static int cmd_login(struct client *c, int argc, char **argv);
static int cmd_echo(struct client *c, int argc, char **argv);
static int cmd_quit(struct client *c, int argc, char **argv);
static int cmd_stats(struct client *c, int argc, char **argv);

static const struct command commands[] = {
    { "help",  cmd_help,  0 },
    { "login", cmd_login, 0 },
    { "echo",  cmd_echo,  1 },
    { "quit",  cmd_quit,  0 },
    { "stats", cmd_stats, 1 },
};

static int (*hooks[])(struct client *) = {
    NULL,
};

static int cmd_help(struct client *c, int argc, char **argv)
{
    size_t i;
    (void)argc;
    (void)argv;
    for (i = 0; i < ARRAY_SIZE(commands); i++) {
        if (reply(c, "%s%s\n", commands[i].name,
                  commands[i].needs_auth ? " (login first)" : "") < 0)
            return -1;
    }
    return 0;
}

static int cmd_login(struct client *c, int argc, char **argv)
{
    const char *secret = getenv("SERVER_SECRET");

    if (argc != 2)
        return reply(c, "usage: login SECRET\n");
    if (secret == NULL || strcmp(argv[1], secret) != 0) {
        log_msg(LOG_WARN, "client %d: bad secret", c->fd);
        return reply(c, "denied\n");
    }
    c->authenticated = 1;
    return reply(c, "welcome\n");
}

static int cmd_echo(struct client *c, int argc, char **argv)
{
    int i;
    for (i = 1; i < argc; i++)
        if (reply(c, i + 1 < argc ? "%s " : "%s\n", argv[i]) < 0)
            return -1;
    return 0;
}

static int cmd_quit(struct client *c, int argc, char **argv)
{
    (void)argc; (void)argv;
    reply(c, "bye\n");
    return 1;
}

static int cmd_stats(struct client *c, int argc, char **argv)
{
    int count = 0;
    struct client *it;

    (void)argc; (void)argv;
    for (it = clients; it; it = it->next)
        count++;
    return reply(c, "%d clients\n", count);
}

static const struct command *find_command(const char *name)
{
    size_t i;
    for (i = 0; i < ARRAY_SIZE(commands); i++)
        if (strcmp(commands[i].name, name) == 0)
            return &commands[i];
    return NULL;
}

static int handle_line(struct client *c, char *line)
{
    char *argv[16];
    int argc = split_words(line, argv, (int)ARRAY_SIZE(argv));
    const struct command *cmd;
    size_t h;

    if (argc == 0)
        return 0;
    for (h = 0; h < ARRAY_SIZE(hooks); h++)
        if (hooks[h] && hooks[h](c) != 0)
            return -1;
    cmd = find_command(argv[0]);
    if (cmd == NULL)
        return reply(c, "unknown command '%s'\n", argv[0]);
    if (cmd->needs_auth && !c->authenticated)
        return reply(c, "login first\n");
    return cmd->run(c, argc, argv);
}

static int read_client(struct client *c)
{
    ssize_t n = read(c->fd, c->buffer + c->used, sizeof c->buffer - c->used - 1);
    char *start, *eol;
    int rc = 0;

    if (n <= 0)
        return n == 0 ? 1 : -1;
    c->used += (size_t)n;
    c->buffer[c->used] = '\0';
    start = c->buffer;
    while ((eol = strchr(start, '\n')) != NULL) {
        *eol = '\0';
        if (eol > start && eol[-1] == '\r')
            eol[-1] = '\0';
        rc = handle_line(c, start);
        if (rc != 0)
            break;
        start = eol + 1;
    }
    c->used -= (size_t)(start - c->buffer);
    memmove(c->buffer, start, c->used);
    if (c->used == sizeof c->buffer - 1) {
        log_msg(LOG_WARN, "client %d: line too long", c->fd);
        rc = -1;
    }
    return rc;
}

static void drop_client(struct client *c)
{
    struct client **link = &clients;
    while (*link && *link != c)
        link = &(*link)->next;
    if (*link)
        *link = c->next;
    close(c->fd);
    free(c);
}

static void on_signal(int sig)
{
    switch (sig) {
    case SIGINT:
    case SIGTERM:
        stopping = 1;
        break;
    case SIGHUP:
        verbosity = verbosity == LOG_DEBUG ? LOG_INFO : LOG_DEBUG;
        break;
    default:
        break;
    }
}

#if defined(USE_SELECT) || !defined(__linux__)
static int wait_clients(int listener)
{
    fd_set set;
    int maxfd = listener;
    struct client *c;

    FD_ZERO(&set);
    FD_SET(listener, &set);
    for (c = clients; c; c = c->next) {
        FD_SET(c->fd, &set);
        if (c->fd > maxfd)
            maxfd = c->fd;
    }
    return select(maxfd + 1, &set, NULL, NULL, NULL);
}
#else
static int wait_clients(int listener)
{
    (void)listener;
    return poll_all(clients);
}
#endif

int server_run(unsigned short port)
{
    struct sockaddr_in addr;
    int listener = -1, one = 1;

    signal(SIGINT, on_signal);
    signal(SIGTERM, on_signal);
    signal(SIGHUP, on_signal);

    listener = socket(AF_INET, SOCK_STREAM, 0);
    CHECK(listener >= 0, "socket");
    CHECK(setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) == 0, "setsockopt");
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    CHECK(bind(listener, (struct sockaddr *)&addr, sizeof addr) == 0, "bind");
    CHECK(listen(listener, MAX_CLIENTS) == 0, "listen");
    log_msg(LOG_INFO, "listening on %u", (unsigned)port);

    while (!stopping) {
        struct client *c, *next;
        if (wait_clients(listener) < 0 && errno != EINTR)
            break;
        for (c = clients; c; c = next) {
            next = c->next;
            if (read_client(c) != 0)
                drop_client(c);
        }
    }
    close(listener);
    return 0;

fail:
    if (listener >= 0)
        close(listener);
    return -1;
}

#ifdef __cplusplus
}
#endif
