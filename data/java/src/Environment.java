import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;

/**
 * Grundlage für Konsolenprogramme: ein Programm erweitert Environment und liest mit stdin
 * von der Tastatur, zum Beispiel
 *
 * <pre>
 *   int zahl = stdin.readInt();
 *   String name = stdin.readLine();
 * </pre>
 */
public class Environment {

    /** Die Tastatur (System.in). */
    public static final Input stdin = new Input(System.in);

    /**
     * Liest Zeichen, Wörter, Zahlen und Zeilen. Zahlen und Wörter sind durch Leerzeichen oder
     * Zeilenenden getrennt; bleibt hinter einem Wort nur Leerraum auf der Zeile, ist die Zeile
     * damit verbraucht, so dass readLine danach die nächste Zeile liefert.
     */
    public static class Input {
        private final BufferedReader reader;
        private String line; // Rest der aktuellen Zeile ab pos; null: keine Zeile gelesen
        private int pos;
        private boolean atEnd;

        public Input(InputStream stream) {
            reader = new BufferedReader(new InputStreamReader(stream));
        }

        /** true, wenn die Eingabe zu Ende ist. */
        public boolean eof() {
            return !fill();
        }

        /** Das nächste Zeichen; das Zeilenende als '\n', am Ende der Eingabe '\0'. */
        public char readChar() {
            if (!fill()) {
                return '\0';
            }
            if (pos >= line.length()) {
                line = null;
                return '\n';
            }
            return line.charAt(pos++);
        }

        /** Der Rest der aktuellen Zeile oder die nächste Zeile; am Ende der Eingabe "". */
        public String readLine() {
            if (!fill()) {
                return "";
            }
            String rest = line.substring(pos);
            line = null;
            return rest;
        }

        /** Das nächste Wort (ohne Leerzeichen); am Ende der Eingabe "". */
        public String readString() {
            while (fill()) {
                while (pos < line.length() && Character.isWhitespace(line.charAt(pos))) {
                    pos++;
                }
                if (pos < line.length()) {
                    int start = pos;
                    while (pos < line.length() && !Character.isWhitespace(line.charAt(pos))) {
                        pos++;
                    }
                    String word = line.substring(start, pos);
                    if (line.substring(pos).trim().length() == 0) {
                        line = null;
                    }
                    return word;
                }
                line = null;
            }
            return "";
        }

        /** Eine ganze Zahl; fragt bei falscher Eingabe erneut, am Ende der Eingabe 0. */
        public int readInt() {
            return (int) readWhole("Bitte eine ganze Zahl eingeben: ", Integer.MIN_VALUE,
                                   Integer.MAX_VALUE);
        }

        /** Eine ganze Zahl (long); fragt bei falscher Eingabe erneut, am Ende der Eingabe 0. */
        public long readLong() {
            return readWhole("Bitte eine ganze Zahl eingeben: ", Long.MIN_VALUE, Long.MAX_VALUE);
        }

        /** Eine Kommazahl (Punkt oder Komma); fragt bei falscher Eingabe erneut, am Ende 0. */
        public double readDouble() {
            while (true) {
                String word = readString();
                if (word.length() == 0) {
                    return 0;
                }
                try {
                    return Double.parseDouble(word.replace(',', '.'));
                } catch (NumberFormatException e) {
                    prompt("Bitte eine Zahl eingeben: ");
                }
            }
        }

        private long readWhole(String hint, long min, long max) {
            while (true) {
                String word = readString();
                if (word.length() == 0) {
                    return 0;
                }
                try {
                    long value = Long.parseLong(word);
                    if (value >= min && value <= max) {
                        return value;
                    }
                } catch (NumberFormatException e) {
                    // erneut fragen
                }
                prompt(hint);
            }
        }

        private static void prompt(String hint) {
            System.out.print(hint);
            System.out.flush();
        }

        private boolean fill() {
            if (line != null) {
                return true;
            }
            if (atEnd) {
                return false;
            }
            try {
                line = reader.readLine();
            } catch (IOException e) {
                line = null;
            }
            if (line == null) {
                atEnd = true;
                return false;
            }
            pos = 0;
            return true;
        }
    }
}
