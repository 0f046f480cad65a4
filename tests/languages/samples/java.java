/*
 * Report.java - text blocks and comment markers in strings.
 */
package samples;

import java.util.ArrayList;
import java.util.List;

/**
 * Collects report lines. The comment does not nest:
 * {@code "/*"} is plain text here.
 */
final class Report {
    private static final String HEADER = "/* header */ // not a comment";
    private static final char SLASH = '/';
    private static final char QUOTE = '\'';
    private static final String TEMPLATE = """
        <p class="note">
          // inside a text block

          \""" still text \"""
        </p>
        """;
    private final List<String> lines = new ArrayList<>(); // the lines

    void add(String line) {
        /* a comment */ lines.add(line);
        lines.add("escaped \" quote /* not a comment */");
    }

    /* a comment that
       spans two lines */
    int size() {
        return lines.size(); /* size */
    }

    public static void main(String[] args) {
        Report r = new Report();
        r.add(HEADER + SLASH + QUOTE);
        r.add(TEMPLATE);
        System.out.println(r.size());
    }
}
