// Java: methods inside classes, annotations, interfaces, enums, anonymous classes.
package org.example.shapes;

import java.util.List;

public class Shapes implements Drawable {
    private final List<Shape> items = new ArrayList<>();

    @Override
    public void draw(Canvas canvas) {
        for (Shape s : items) {
            render(canvas, s);
        }
    }

    @SuppressWarnings("unchecked")
    private void render(Canvas canvas, Shape s) {
        synchronized (this) {
            canvas.paint(s);
        }
        try {
            s.check();
        } catch (IllegalStateException e) {
            log(e);
        }
    }

    static void log(Exception e) { System.out.println(e); }

    interface Listener {
        void changed(Shape s);
    }

    enum Kind { CIRCLE, SQUARE; Kind next() { return SQUARE; } }

    private final Runnable task = new Runnable() {
        public void run() { log(null); }
    };
}
