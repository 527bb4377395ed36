/*
 * Inventory.java - stock keeping for a small warehouse service.
 *
 * Name: Inventory
 */
package com.example.warehouse;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.Reader;
import java.time.Instant;
import java.util.ArrayList;
import java.util.Collections;
import java.util.Comparator;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Objects;
import java.util.Optional;
import java.util.concurrent.ConcurrentHashMap;
import java.util.function.Predicate;
import java.util.stream.Collectors;

/**
 * Keeps the stock of every item and the history of its movements.
 */
public final class Inventory implements AutoCloseable {

    /** Why a quantity changed. */
    public enum Reason {
        RECEIVED("in"),
        SHIPPED("out"),
        COUNTED("count"),
        DAMAGED("loss");

        private final String code;

        Reason(String code) {
            this.code = code;
        }

        public String code() {
            return code;
        }

        static Reason fromCode(String code) {
            for (Reason r : values()) {
                if (r.code.equals(code)) {
                    return r;
                }
            }
            throw new IllegalArgumentException("unknown reason: " + code);
        }
    }

    /** One change of stock. */
    public static final class Movement {
        private final String sku;
        private final int delta;
        private final Reason reason;
        private final Instant when;

        public Movement(String sku, int delta, Reason reason, Instant when) {
            this.sku = Objects.requireNonNull(sku);
            this.delta = delta;
            this.reason = reason;
            this.when = when;
        }

        public String sku() { return sku; }
        public int delta() { return delta; }
        public Reason reason() { return reason; }
        public Instant when() { return when; }

        @Override
        public String toString() {
            return String.format("%s %+d (%s) at %s", sku, delta, reason.code(), when);
        }
    }

    /** Receives every movement as it is booked. */
    @FunctionalInterface
    public interface Listener {
        void booked(Movement m);
    }

    public interface Clock {
        Instant now();

        default Instant later(long seconds) {
            return now().plusSeconds(seconds);
        }
    }

    private final Map<String, Integer> stock = new ConcurrentHashMap<>();
    private final Map<String, List<Movement>> history = new HashMap<>();
    private final List<Listener> listeners = new ArrayList<>();
    private final Clock clock;
    private boolean closed;

    public Inventory(Clock clock) {
        this.clock = clock;
    }

    public Inventory() {
        this(Instant::now);
    }

    public void addListener(Listener listener) {
        synchronized (listeners) {
            listeners.add(listener);
        }
    }

    public int quantity(String sku) {
        return stock.getOrDefault(sku, 0);
    }

    public void receive(String sku, int count) {
        checkOpen();
        if (count <= 0) {
            throw new IllegalArgumentException("count must be positive");
        }
        book(sku, count, Reason.RECEIVED);
    }

    public boolean ship(String sku, int count) {
        checkOpen();
        final int available = quantity(sku);
        if (available < count) {
            return false;
        }
        book(sku, -count, Reason.SHIPPED);
        return true;
    }

    public void count(String sku, int counted) {
        checkOpen();
        final int delta = counted - quantity(sku);
        if (delta != 0) {
            book(sku, delta, Reason.COUNTED);
        }
    }

    private void book(String sku, int delta, Reason reason) {
        stock.merge(sku, delta, Integer::sum);
        final Movement m = new Movement(sku, delta, reason, clock.now());
        synchronized (history) {
            history.computeIfAbsent(sku, k -> new ArrayList<>()).add(m);
        }
        notifyListeners(m);
    }

    private void notifyListeners(Movement m) {
        final List<Listener> copy;
        synchronized (listeners) {
            copy = new ArrayList<>(listeners);
        }
        for (Listener l : copy) {
            try {
                l.booked(m);
            } catch (RuntimeException e) {
                // A listener must not stop the booking.
                System.err.println("listener failed: " + e.getMessage());
            }
        }
    }

    public List<Movement> historyOf(String sku) {
        synchronized (history) {
            return Collections.unmodifiableList(
                    history.getOrDefault(sku, Collections.emptyList()));
        }
    }

    public List<String> lowStock(int threshold) {
        return stock.entrySet().stream()
                .filter(e -> e.getValue() < threshold)
                .sorted(Map.Entry.comparingByValue())
                .map(Map.Entry::getKey)
                .collect(Collectors.toList());
    }

    public Optional<String> largest() {
        return stock.entrySet().stream()
                .max(Comparator.comparingInt(Map.Entry::getValue))
                .map(Map.Entry::getKey);
    }

    public int total(Predicate<String> skuFilter) {
        int sum = 0;
        for (Map.Entry<String, Integer> e : stock.entrySet()) {
            if (skuFilter.test(e.getKey())) {
                sum += e.getValue();
            }
        }
        return sum;
    }

    /**
     * Reads movements written as "sku;delta;reason" lines. Lines that cannot be read are
     * reported and skipped.
     */
    public int load(Reader source) throws IOException {
        int loaded = 0;
        try (BufferedReader in = new BufferedReader(source)) {
            String line;
            int number = 0;
            while ((line = in.readLine()) != null) {
                number++;
                line = line.trim();
                if (line.isEmpty() || line.startsWith("#")) {
                    continue;
                }
                final String[] parts = line.split(";");
                if (parts.length != 3) {
                    warn(number, "expected three fields");
                    continue;
                }
                try {
                    final int delta = Integer.parseInt(parts[1].trim());
                    book(parts[0].trim(), delta, Reason.fromCode(parts[2].trim()));
                    loaded++;
                } catch (NumberFormatException e) {
                    warn(number, "bad number: " + parts[1]);
                } catch (IllegalArgumentException e) {
                    warn(number, e.getMessage());
                }
            }
        }
        return loaded;
    }

    private static void warn(int line, String message) {
        System.err.printf("line %d: %s%n", line, message);
    }

    public String report() {
        final StringBuilder sb = new StringBuilder();
        sb.append("""
                Inventory report
                ================
                """);
        stock.entrySet().stream()
                .sorted(Map.Entry.comparingByKey())
                .forEach(e -> sb.append(String.format("%-20s %6d%n", e.getKey(), e.getValue())));
        return sb.toString();
    }

    private void checkOpen() {
        if (closed) {
            throw new IllegalStateException("inventory is closed");
        }
    }

    @Override
    public void close() {
        closed = true;
        listeners.clear();
    }

    /** A listener that keeps running totals per reason. */
    public static class Statistics implements Listener {
        private final Map<Reason, Integer> totals = new HashMap<>();

        @Override
        public synchronized void booked(Movement m) {
            totals.merge(m.reason(), Math.abs(m.delta()), Integer::sum);
        }

        public synchronized int total(Reason r) {
            return totals.getOrDefault(r, 0);
        }

        @Override
        public String toString() {
            return totals.toString();
        }
    }

    public static void main(String[] args) throws Exception {
        final Inventory inventory = new Inventory();
        final Statistics stats = new Statistics();
        inventory.addListener(stats);
        inventory.addListener(new Listener() {
            @Override
            public void booked(Movement m) {
                if (m.delta() < 0 && inventory.quantity(m.sku()) == 0) {
                    System.out.println("out of stock: " + m.sku());
                }
            }
        });
        inventory.receive("bolt-m6", 500);
        inventory.receive("nut-m6", 480);
        inventory.ship("bolt-m6", 120);
        inventory.count("nut-m6", 470);
        System.out.println(inventory.report());
        System.out.println(stats);
        System.out.println(inventory.lowStock(400));
        inventory.close();
    }
}
