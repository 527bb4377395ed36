/*
 * HttpRouter.java - matches request paths against route patterns and dispatches them.
 */
package org.example.web;

import java.io.IOException;
import java.io.OutputStream;
import java.net.URLDecoder;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Collections;
import java.util.EnumMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Objects;
import java.util.concurrent.atomic.AtomicLong;
import java.util.function.BiFunction;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

public class HttpRouter {

    public enum Method { GET, POST, PUT, DELETE, PATCH, HEAD, OPTIONS }

    /** A request as the router sees it. */
    public record Request(Method method, String path, Map<String, String> query, byte[] body) {
        public Request {
            Objects.requireNonNull(method, "method");
            Objects.requireNonNull(path, "path");
            query = query == null ? Map.of() : Collections.unmodifiableMap(query);
            body = body == null ? new byte[0] : body;
        }

        public String bodyText() {
            return new String(body, StandardCharsets.UTF_8);
        }
    }

    /** What a handler answers. */
    public static final class Response {
        private final int status;
        private final String contentType;
        private final byte[] body;
        private final Map<String, String> headers = new LinkedHashMap<>();

        private Response(int status, String contentType, byte[] body) {
            this.status = status;
            this.contentType = contentType;
            this.body = body;
        }

        public static Response text(int status, String text) {
            return new Response(status, "text/plain; charset=utf-8",
                    text.getBytes(StandardCharsets.UTF_8));
        }

        public static Response json(int status, String json) {
            return new Response(status, "application/json", json.getBytes(StandardCharsets.UTF_8));
        }

        public static Response notFound() {
            return text(404, "not found");
        }

        public Response header(String name, String value) {
            headers.put(name, value);
            return this;
        }

        public int status() {
            return status;
        }

        public void writeTo(OutputStream out) throws IOException {
            final StringBuilder head = new StringBuilder();
            head.append("HTTP/1.1 ").append(status).append(' ').append(reason(status)).append("\r\n");
            head.append("Content-Type: ").append(contentType).append("\r\n");
            head.append("Content-Length: ").append(body.length).append("\r\n");
            for (Map.Entry<String, String> h : headers.entrySet()) {
                head.append(h.getKey()).append(": ").append(h.getValue()).append("\r\n");
            }
            head.append("\r\n");
            out.write(head.toString().getBytes(StandardCharsets.US_ASCII));
            out.write(body);
        }

        private static String reason(int status) {
            switch (status) {
                case 200: return "OK";
                case 201: return "Created";
                case 204: return "No Content";
                case 400: return "Bad Request";
                case 404: return "Not Found";
                case 405: return "Method Not Allowed";
                default: return status >= 500 ? "Server Error" : "Unknown";
            }
        }
    }

    @FunctionalInterface
    public interface Handler extends BiFunction<Request, Map<String, String>, Response> {
    }

    private static final class Route {
        final Pattern pattern;
        final List<String> names;
        final Handler handler;

        Route(String template, Handler handler) {
            this.names = new ArrayList<>();
            this.pattern = compile(template, names);
            this.handler = handler;
        }

        private static Pattern compile(String template, List<String> names) {
            final StringBuilder regex = new StringBuilder("^");
            final Matcher m = Pattern.compile("\\{([a-zA-Z_][a-zA-Z0-9_]*)\\}").matcher(template);
            int last = 0;
            while (m.find()) {
                regex.append(Pattern.quote(template.substring(last, m.start())));
                regex.append("([^/]+)");
                names.add(m.group(1));
                last = m.end();
            }
            regex.append(Pattern.quote(template.substring(last))).append("/?$");
            return Pattern.compile(regex.toString());
        }

        Map<String, String> match(String path) {
            final Matcher m = pattern.matcher(path);
            if (!m.matches()) {
                return null;
            }
            final Map<String, String> values = new LinkedHashMap<>();
            for (int i = 0; i < names.size(); i++) {
                values.put(names.get(i), URLDecoder.decode(m.group(i + 1), StandardCharsets.UTF_8));
            }
            return values;
        }
    }

    private final Map<Method, List<Route>> routes = new EnumMap<>(Method.class);
    private final AtomicLong served = new AtomicLong();
    private Handler fallback = (req, params) -> Response.notFound();

    public HttpRouter on(Method method, String template, Handler handler) {
        routes.computeIfAbsent(method, m -> new ArrayList<>()).add(new Route(template, handler));
        return this;
    }

    public HttpRouter get(String template, Handler handler) {
        return on(Method.GET, template, handler);
    }

    public HttpRouter post(String template, Handler handler) {
        return on(Method.POST, template, handler);
    }

    public HttpRouter otherwise(Handler handler) {
        this.fallback = Objects.requireNonNull(handler);
        return this;
    }

    public Response dispatch(Request request) {
        served.incrementAndGet();
        final List<Route> candidates = routes.getOrDefault(request.method(), List.of());
        for (Route route : candidates) {
            final Map<String, String> params = route.match(request.path());
            if (params != null) {
                try {
                    return route.handler.apply(request, params);
                } catch (IllegalArgumentException e) {
                    return Response.text(400, e.getMessage());
                } catch (RuntimeException e) {
                    return Response.text(500, "internal error");
                }
            }
        }
        if (allowedElsewhere(request)) {
            return Response.text(405, "method not allowed");
        }
        return fallback.apply(request, Map.of());
    }

    private boolean allowedElsewhere(Request request) {
        for (Map.Entry<Method, List<Route>> e : routes.entrySet()) {
            if (e.getKey() == request.method()) {
                continue;
            }
            for (Route r : e.getValue()) {
                if (r.match(request.path()) != null) {
                    return true;
                }
            }
        }
        return false;
    }

    public long served() {
        return served.get();
    }

    static Map<String, String> parseQuery(String query) {
        final Map<String, String> values = new LinkedHashMap<>();
        if (query == null || query.isEmpty()) {
            return values;
        }
        for (String pair : query.split("&")) {
            final int eq = pair.indexOf('=');
            final String key = eq < 0 ? pair : pair.substring(0, eq);
            final String value = eq < 0 ? "" : pair.substring(eq + 1);
            values.put(URLDecoder.decode(key, StandardCharsets.UTF_8),
                    URLDecoder.decode(value, StandardCharsets.UTF_8));
        }
        return values;
    }

    static Request parseRequestLine(String line) {
        final String[] parts = line.trim().split(" ");
        if (parts.length < 2) {
            throw new IllegalArgumentException("bad request line: " + line);
        }
        final Method method = Method.valueOf(parts[0].toUpperCase(Locale.ROOT));
        final String target = parts[1];
        final int q = target.indexOf('?');
        final String path = q < 0 ? target : target.substring(0, q);
        final Map<String, String> query = parseQuery(q < 0 ? null : target.substring(q + 1));
        return new Request(method, path, query, null);
    }

    public static void main(String[] args) {
        final HttpRouter router = new HttpRouter()
                .get("/hello/{name}", (req, p) -> Response.text(200, "hello " + p.get("name")))
                .get("/items/{id}", (req, p) -> {
                    final int id = Integer.parseInt(p.get("id"));
                    if (id < 0) {
                        throw new IllegalArgumentException("negative id");
                    }
                    return Response.json(200, "{\"id\": " + id + "}");
                })
                .post("/items", (req, p) -> Response.json(201, req.bodyText()))
                .otherwise((req, p) -> Response.text(404, "nothing at " + req.path()));
        for (String line : new String[] {"GET /hello/world", "GET /items/7?x=1", "PUT /items/7",
                "GET /nowhere", "GET /items/-1"}) {
            final Response r = router.dispatch(parseRequestLine(line));
            System.out.println(line + " -> " + r.status());
        }
        System.out.println(router.served() + " requests served");
    }
}
