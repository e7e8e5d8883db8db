import java.io.BufferedOutputStream;
import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Locale;
import java.util.Set;
import java.util.concurrent.LinkedBlockingQueue;
import java.util.stream.Collectors;
import jdk.jshell.DeclarationSnippet;
import jdk.jshell.Diag;
import jdk.jshell.EvalException;
import jdk.jshell.ExpressionSnippet;
import jdk.jshell.JShell;
import jdk.jshell.JShellException;
import jdk.jshell.MethodSnippet;
import jdk.jshell.Snippet;
import jdk.jshell.SnippetEvent;
import jdk.jshell.SourceCodeAnalysis;
import jdk.jshell.TypeDeclSnippet;
import jdk.jshell.UnresolvedReferenceException;
import jdk.jshell.VarSnippet;

/**
 * Quill's Java console: evaluates what a learner types with the JDK's shell engine, in this
 * JVM, and keeps the state (variables, methods, classes) between requests.
 *
 * <p>Protocol on standard input and output, all numbers 32-bit big-endian, texts UTF-8 with
 * their byte count in front. Once ready it writes the number READY. A request is its kind,
 * the number of texts, then each text. Every request is answered by frames of a kind and a
 * text (the resident compiler's answer framing), the last of which is DONE, INCOMPLETE or
 * STOPPED. A stop request is not answered itself: it ends the evaluation that runs. It ends
 * when its input closes.
 */
public final class QuillJavaKonsole {
    static final int READY = 0x51434C31;

    static final int EVAL = 1;
    static final int STOP = 2;
    static final int RESET = 3;
    static final int CLASSPATH = 4;

    static final int OUT = 1;
    static final int ERR = 2;
    static final int VALUE = 3;
    static final int INFO = 4;
    static final int ERROR = 5;
    static final int EXCEPTION = 6;
    static final int CUT = 7;
    static final int DONE = 10;
    static final int INCOMPLETE = 11;
    static final int STOPPED = 12;

    static final int MAX_TEXTS = 4096;
    static final int MAX_TEXT = 16 << 20;
    /** Output beyond this per evaluation is dropped, as in Quill's output panel. */
    static final long MAX_OUTPUT = 4L << 20;

    /** A source file's piece as loaded into the shell. */
    static final class Origin {
        final String file;
        final String className;
        final int lineOffset;

        Origin(String file, String className, int lineOffset) {
            this.file = file;
            this.className = className;
            this.lineOffset = lineOffset;
        }
    }

    static final Pattern IDENTIFIER = Pattern.compile("[A-Za-z_$][A-Za-z0-9_$]*");
    static final Pattern PACKAGE = Pattern.compile("(?m)^\\s*package\\s");

    static final class Request {
        final int kind;
        final String[] texts;
        final int number; // of evaluation requests read so far, this one included

        Request(int kind, String[] texts, int number) {
            this.kind = kind;
            this.texts = texts;
            this.number = number;
        }
    }

    /** The framed output; every frame is written whole, whichever thread writes it. */
    static final class Frames {
        private final DataOutputStream out;

        Frames(OutputStream stream) {
            out = new DataOutputStream(new BufferedOutputStream(stream, 1 << 16));
        }

        synchronized void write(int kind, byte[] bytes, int length) {
            try {
                out.writeInt(kind);
                out.writeInt(length);
                out.write(bytes, 0, length);
                out.flush();
            } catch (IOException gone) {
                // Quill is gone: nothing to answer to.
                Runtime.getRuntime().halt(0);
            }
        }

        void write(int kind, String text) {
            final byte[] bytes = text.getBytes(StandardCharsets.UTF_8);
            write(kind, bytes, bytes.length);
        }

        synchronized void writeReady() throws IOException {
            out.writeInt(READY);
            out.flush();
        }
    }

    /**
     * What the learner's code prints to System.out and System.err, in the order it was
     * printed: a change of stream sends what came before, and a flusher sends the rest while
     * an evaluation runs, so endless output shows while it happens.
     */
    static final class Capture {
        private final Frames frames;
        private final ByteArrayOutputStream pending = new ByteArrayOutputStream();
        private int pendingKind = OUT;
        private long counted;
        private boolean cut;

        Capture(Frames frames) {
            this.frames = frames;
        }

        PrintStream stream(final int kind) {
            final OutputStream sink = new OutputStream() {
                @Override
                public void write(int b) {
                    add(kind, new byte[] {(byte) b}, 0, 1);
                }

                @Override
                public void write(byte[] b, int off, int len) {
                    add(kind, b, off, len);
                }
            };
            try {
                return new PrintStream(sink, true, "UTF-8");
            } catch (java.io.UnsupportedEncodingException impossible) {
                throw new IllegalStateException(impossible);
            }
        }

        synchronized void add(int kind, byte[] b, int off, int len) {
            if (cut)
                return;
            if (counted + len > MAX_OUTPUT) {
                len = (int) (MAX_OUTPUT - counted);
                cut = true;
            }
            counted += len;
            if (kind != pendingKind)
                flush();
            pendingKind = kind;
            pending.write(b, off, len);
            if (pending.size() >= 1 << 15)
                flush();
        }

        synchronized void flush() {
            if (pending.size() == 0)
                return;
            frames.write(pendingKind, pending.toByteArray(), pending.size());
            pending.reset();
        }

        /** Starts counting for a new evaluation. */
        synchronized void begin() {
            flush();
            counted = 0;
            cut = false;
        }

        /** Sends what is left; true when output was dropped. */
        synchronized boolean end() {
            flush();
            return cut;
        }
    }

    private final Frames frames;
    private final Capture capture;
    private final LinkedBlockingQueue<Request> requests = new LinkedBlockingQueue<>();
    private final Set<String> classPath = new LinkedHashSet<>();
    private JShell shell;
    /** Classes of the folders' unnamed package, loaded from their source: by name. */
    private final Set<String> loaded = new HashSet<>();
    /** Where the input pieces that loaded a class came from: by snippet id. */
    private final Map<String, Origin> origins = new HashMap<>();
    private volatile boolean evaluating;
    /** Inputs taken since the state was made fresh or renewed. */
    private int sinceFresh;
    /** The number of the evaluation a stop was asked for: the last one read before it. */
    private volatile int stopFor = -1;
    /** The number of the evaluation that runs. */
    private volatile int current;

    QuillJavaKonsole(Frames frames, Capture capture) {
        this.frames = frames;
        this.capture = capture;
    }

    public static void main(String[] args) throws Exception {
        // Only the protocol may reach standard output; the learner's code prints into frames
        // and reads an input that has ended.
        final Frames frames = new Frames(new FileOutputStream(FileDescriptor.out));
        final Capture capture = new Capture(frames);
        System.setOut(capture.stream(OUT));
        System.setErr(capture.stream(ERR));
        System.setIn(new ByteArrayInputStream(new byte[0]));
        final QuillJavaKonsole konsole = new QuillJavaKonsole(frames, capture);
        konsole.fresh();
        frames.writeReady();
        final Thread reader = new Thread(konsole::readRequests, "requests");
        reader.setDaemon(true);
        reader.start();
        konsole.serve();
    }

    /** Reads requests; a stop acts at once, the others wait their turn. */
    void readRequests() {
        // System.in is the learner's (always at its end); the protocol reads the real input.
        final DataInputStream in = HelperInput.open();
        int evaluations = 0;
        try {
            for (;;) {
                final int kind;
                try {
                    kind = in.readInt();
                } catch (EOFException end) {
                    break;
                }
                final String[] texts = HelperInput.readTexts(in, MAX_TEXTS, MAX_TEXT);
                if (kind == STOP) {
                    stop(evaluations);
                    continue;
                }
                if (kind == EVAL)
                    ++evaluations;
                requests.put(new Request(kind, texts, evaluations));
            }
        } catch (IOException | InterruptedException broken) {
            // As if the input had closed.
        }
        // Quill closed its end: whatever runs has no one to answer to.
        Runtime.getRuntime().halt(0);
    }

    /**
     * Stops the evaluation with the given number: at once when it runs, else before it
     * starts (a stop may overtake the evaluation it is meant for).
     */
    void stop(int number) {
        stopFor = number;
        final JShell running = shell;
        if (!evaluating || current != number || running == null)
            return;
        try {
            running.stop();
        } catch (RuntimeException | Error ignored) {
            // Quill ends the process when the evaluation does not end.
        }
    }

    void serve() throws InterruptedException {
        final Thread flusher = new Thread(() -> {
            for (;;) {
                try {
                    Thread.sleep(40);
                } catch (InterruptedException e) {
                    return;
                }
                if (evaluating)
                    capture.flush();
            }
        }, "flusher");
        flusher.setDaemon(true);
        flusher.start();
        for (;;) {
            final Request request = requests.take();
            switch (request.kind) {
            case EVAL:
                current = request.number;
                evaluate(request.texts.length > 0 ? request.texts[0] : "");
                ++sinceFresh;
                renewWhenDue();
                break;
            case RESET:
                fresh();
                frames.write(DONE, "");
                break;
            case CLASSPATH:
                for (String folder : request.texts)
                    if (classPath.add(folder))
                        shell.addToClasspath(folder);
                frames.write(DONE, "");
                break;
            default:
                frames.write(DONE, "");
                break;
            }
        }
    }

    /** A new shell state, with the class path kept. */
    void fresh() {
        if (shell != null)
            shell.close();
        shell = newShell();
        loaded.clear();
        origins.clear();
        sinceFresh = 0;
    }

    JShell newShell() {
        final JShell made = JShell.builder()
                                    .executionEngine("local")
                                    .in(new ByteArrayInputStream(new byte[0]))
                                    .out(System.out)
                                    .err(System.err)
                                    .build();
        for (String folder : classPath)
            made.addToClasspath(folder);
        return made;
    }

    /** After this many inputs a state is renewed, when that loses nothing. */
    static final int RENEW_AFTER = 250;

    /**
     * The engine keeps every input it ever took, dropped ones included (source, class and
     * bytes, some 7 kB each), so a long session would grow without end. Now and then, while
     * no request waits, the state moves into a fresh engine: imports and methods are declared
     * again and variables take their very objects along. A class of the learner's (declared or
     * loaded) keeps the state where it is, as its static fields could not follow; so does
     * anything that does not come across whole.
     */
    void renewWhenDue() {
        if (sinceFresh < RENEW_AFTER || !requests.isEmpty() || !loaded.isEmpty())
            return;
        sinceFresh = 0;
        final List<Snippet> active = shell.snippets()
                                         .filter(s -> shell.status(s).isActive())
                                         .collect(Collectors.toList());
        if (active.stream().anyMatch(s -> s.kind() == Snippet.Kind.TYPE_DECL))
            return;
        final JShell renewed = newShell();
        boolean carried = false;
        try {
            carried = carryInto(renewed, active);
        } catch (RuntimeException failed) {
            carried = false;
        } finally {
            System.getProperties().keySet().removeIf(
                    key -> key.toString().startsWith(CARRY));
        }
        if (!carried) {
            renewed.close();
            return;
        }
        final JShell old = shell;
        shell = renewed;
        old.close();
        // The old engine's classes and objects go now, and the heap gives their room back.
        System.gc();
    }

    static final String CARRY = "quill.konsole.carry.";

    /** Declares the active snippets in the new engine again; false when one did not take. */
    boolean carryInto(JShell renewed, List<Snippet> active) {
        int carried = 0;
        for (Snippet snippet : active) {
            final String source;
            switch (snippet.kind()) {
            case IMPORT:
            case METHOD:
                source = snippet.source();
                break;
            case VAR: {
                final VarSnippet variable = (VarSnippet) snippet;
                final String key = CARRY + carried++;
                // A one-element array: the table takes no null.
                final List<SnippetEvent> put = shell.eval("System.getProperties().put(\"" + key
                        + "\", new Object[] {" + variable.name() + "});");
                if (put.isEmpty() || put.get(0).status() != Snippet.Status.VALID)
                    return false;
                source = variable.typeName() + " " + variable.name() + " = ("
                        + variable.typeName() + ") ((Object[]) System.getProperties().remove(\""
                        + key + "\"))[0];";
                break;
            }
            default:
                continue; // statements and expressions declare nothing
            }
            final List<SnippetEvent> events = renewed.eval(source);
            if (events.isEmpty() || events.get(0).status() != shell.status(snippet)
                    || events.stream().anyMatch(e -> e.exception() != null))
                return false;
        }
        // The new engine compiles once before the learner waits for it.
        for (SnippetEvent event : renewed.eval("0"))
            if (event.snippet() instanceof VarSnippet)
                renewed.drop(event.snippet());
        return true;
    }

    /**
     * The shell's input lives in a package of its own, from which Java cannot name classes of
     * the unnamed package. So a compiled class of a class folder without a package comes in
     * as its source, once, when the input names it (and the classes it names first).
     */
    void loadNamedClasses(String text) {
        final Matcher names = IDENTIFIER.matcher(text);
        while (names.find()) {
            final String name = names.group();
            if (loaded.contains(name))
                continue;
            for (String folder : classPath) {
                final Path source = Paths.get(folder, name + ".java");
                if (!Files.isRegularFile(source)
                        || !Files.isRegularFile(Paths.get(folder, name + ".class")))
                    continue;
                loaded.add(name);
                loadSource(source, name);
                break;
            }
        }
    }

    void loadSource(Path file, String name) {
        final String text;
        try {
            text = new String(Files.readAllBytes(file), StandardCharsets.UTF_8);
        } catch (IOException | RuntimeException unreadable) {
            return;
        }
        if (PACKAGE.matcher(text).find())
            return;
        loadNamedClasses(text);
        final SourceCodeAnalysis analysis = shell.sourceCodeAnalysis();
        String rest = text;
        while (!rest.trim().isEmpty()) {
            final SourceCodeAnalysis.CompletionInfo info = analysis.analyzeCompletion(rest);
            if (info.completeness() == SourceCodeAnalysis.Completeness.EMPTY)
                break;
            final String piece = info.completeness().isComplete() ? info.source() : rest;
            final int consumed = text.length() - rest.length();
            final String firstLine = piece.strip().split("\n", 2)[0];
            final int start = text.indexOf(firstLine, consumed);
            final int lineOffset = start < 0 ? 0 : countLines(text, start);
            for (SnippetEvent event : shell.eval(piece)) {
                if (event.causeSnippet() != null)
                    continue;
                final Snippet snippet = event.snippet();
                final String className = snippet instanceof TypeDeclSnippet
                        ? ((TypeDeclSnippet) snippet).name() : name;
                origins.put(snippet.id(), new Origin(file.getFileName().toString(), className,
                                                     lineOffset));
                if (event.status() == Snippet.Status.REJECTED)
                    reportDiagnostics(snippet, file.getFileName().toString(), lineOffset);
            }
            if (!info.completeness().isComplete())
                break;
            rest = info.remaining();
        }
    }

    static int countLines(String text, int end) {
        int lines = 0;
        for (int i = 0; i < end; ++i)
            if (text.charAt(i) == '\n')
                ++lines;
        return lines;
    }

    void evaluate(String input) {
        final SourceCodeAnalysis analysis = shell.sourceCodeAnalysis();
        // All of it must be complete before any of it runs: a line that goes on does not run
        // its first half twice.
        final List<String> pieces = new ArrayList<>();
        String rest = input;
        while (!rest.trim().isEmpty()) {
            final SourceCodeAnalysis.CompletionInfo info = analysis.analyzeCompletion(rest);
            final SourceCodeAnalysis.Completeness completeness = info.completeness();
            if (completeness == SourceCodeAnalysis.Completeness.DEFINITELY_INCOMPLETE
                    || completeness == SourceCodeAnalysis.Completeness.CONSIDERED_INCOMPLETE) {
                frames.write(INCOMPLETE, "");
                return;
            }
            if (completeness == SourceCodeAnalysis.Completeness.EMPTY)
                break;
            if (completeness == SourceCodeAnalysis.Completeness.UNKNOWN) {
                // Let the compiler say what is wrong with it.
                pieces.add(rest);
                break;
            }
            pieces.add(info.source());
            rest = info.remaining();
        }
        capture.begin();
        evaluating = true;
        try {
            if (!stopped())
                loadNamedClasses(input);
            for (String piece : pieces) {
                if (stopped())
                    break;
                final List<SnippetEvent> events;
                try {
                    events = shell.eval(piece);
                } catch (IllegalStateException closed) {
                    // The engine ended (a learner's System.exit): start afresh.
                    capture.end();
                    fresh();
                    frames.write(INFO, "Die Java-Umgebung wurde beendet und neu gestartet.\n");
                    break;
                }
                capture.flush();
                if (stopped())
                    break;
                for (SnippetEvent event : events)
                    if (event.causeSnippet() == null)
                        report(event);
                if (events.stream().anyMatch(e -> e.causeSnippet() == null
                        && (e.status() == Snippet.Status.REJECTED || e.exception() != null)))
                    break;
            }
        } finally {
            evaluating = false;
        }
        if (capture.end())
            frames.write(CUT, "");
        frames.write(stopped() ? STOPPED : DONE, "");
    }

    boolean stopped() {
        return stopFor == current;
    }

    void report(SnippetEvent event) {
        final Snippet snippet = event.snippet();
        if (event.status() == Snippet.Status.REJECTED) {
            reportDiagnostics(snippet, null, 0);
            return;
        }
        final JShellException exception = event.exception();
        if (exception instanceof UnresolvedReferenceException) {
            final DeclarationSnippet missing = ((UnresolvedReferenceException) exception).getSnippet();
            frames.write(ERROR, "Fehler: " + missing.name() + " kann erst benutzt werden, wenn "
                    + String.join(", ", shell.unresolvedDependencies(missing)
                            .collect(Collectors.toList()))
                    + " angelegt ist\n");
            return;
        }
        if (exception != null) {
            frames.write(EXCEPTION, describe(exception));
            return;
        }
        switch (snippet.kind()) {
        case VAR: {
            final VarSnippet variable = (VarSnippet) snippet;
            final String value = event.value();
            if (value == null)
                return;
            final String shown = variable.typeName().endsWith("]") ? ArrayText.of(value) : value;
            if (variable.subKind() == Snippet.SubKind.TEMP_VAR_EXPRESSION_SUBKIND) {
                frames.write(VALUE, shown + "\n");
                // The console never shows the engine's names of values ($1), so nothing can
                // use them: kept, every later input would be compiled with all of them.
                shell.drop(variable);
            } else
                frames.write(VALUE, variable.name() + " = " + shown + "\n");
            return;
        }
        case EXPRESSION: {
            final ExpressionSnippet expression = (ExpressionSnippet) snippet;
            final String value = event.value();
            if (value == null || value.isEmpty())
                return;
            final String shown = expression.typeName().endsWith("]") ? ArrayText.of(value) : value;
            if (expression.subKind() == Snippet.SubKind.ASSIGNMENT_SUBKIND)
                frames.write(VALUE, expression.name() + " = " + shown + "\n");
            else
                frames.write(VALUE, shown + "\n");
            return;
        }
        case METHOD: {
            final MethodSnippet method = (MethodSnippet) snippet;
            frames.write(INFO, "Methode " + method.name() + "(" + method.parameterTypes() + ")"
                    + " angelegt" + waitingFor(method) + "\n");
            return;
        }
        case TYPE_DECL: {
            final TypeDeclSnippet type = (TypeDeclSnippet) snippet;
            frames.write(INFO, typeWord(type) + " " + type.name() + " angelegt" + waitingFor(type)
                    + "\n");
            return;
        }
        default:
            return;
        }
    }

    String waitingFor(DeclarationSnippet declaration) {
        final List<String> missing =
                shell.unresolvedDependencies(declaration).collect(Collectors.toList());
        if (missing.isEmpty())
            return "";
        return " (benutzbar, sobald " + String.join(", ", missing) + " angelegt ist)";
    }

    static String typeWord(TypeDeclSnippet type) {
        switch (type.subKind().name()) {
        case "INTERFACE_SUBKIND":
            return "Interface";
        case "ENUM_SUBKIND":
            return "Enum";
        case "ANNOTATION_TYPE_SUBKIND":
            return "Annotation";
        case "RECORD_SUBKIND":
            return "Record";
        default:
            return "Klasse";
        }
    }

    /** The compiler's messages, each with the line it means and a ^ under the place. */
    void reportDiagnostics(Snippet snippet, String file, int lineOffset) {
        final String source = snippet.source();
        final StringBuilder text = new StringBuilder();
        final List<Diag> diagnostics = shell.diagnostics(snippet).collect(Collectors.toList());
        for (Diag diagnostic : diagnostics) {
            if (!diagnostic.isError())
                continue;
            final long at = diagnostic.getPosition() >= 0 ? diagnostic.getPosition()
                                                           : diagnostic.getStartPosition();
            final int position = (int) Math.max(0, Math.min(at, source.length()));
            if (file != null)
                text.append(file).append(':').append(lineOffset + countLines(source, position) + 1)
                        .append(": ");
            text.append("Fehler: ").append(diagnostic.getMessage(Locale.getDefault())).append('\n');
            if (at < 0)
                continue;
            final int lineStart = source.lastIndexOf('\n', position - 1) + 1;
            int lineEnd = source.indexOf('\n', position);
            if (lineEnd < 0)
                lineEnd = source.length();
            text.append(source, lineStart, lineEnd).append('\n');
            for (int i = lineStart; i < position; ++i)
                text.append(source.charAt(i) == '\t' ? '\t' : ' ');
            text.append("^\n");
        }
        if (text.length() == 0)
            text.append("Fehler: Die Eingabe ist kein gültiges Java.\n");
        frames.write(ERROR, text.toString());
    }

    /** "Ausnahme: class: message" and the stack lines of the learner's own code. */
    String describe(JShellException exception) {
        final StringBuilder text = new StringBuilder();
        JShellException current = exception;
        boolean first = true;
        while (current != null) {
            final String className = current instanceof EvalException
                    ? ((EvalException) current).getExceptionClassName()
                    : current.getClass().getName();
            text.append(first ? "Ausnahme: " : "Verursacht durch: ").append(className);
            if (current.getMessage() != null)
                text.append(": ").append(current.getMessage());
            text.append('\n');
            for (StackTraceElement element : current.getStackTrace())
                if (isOwnCode(element))
                    text.append("\tat ").append(frameText(element)).append('\n');
            current = current instanceof EvalException ? ((EvalException) current).getCause() : null;
            first = false;
        }
        return text.toString();
    }

    static boolean isOwnCode(StackTraceElement element) {
        final String name = element.getClassName();
        for (String prefix : new String[] {"java.", "javax.", "jdk.", "sun.", "com.sun.",
                                           "QuillJavaKonsole"})
            if (name.startsWith(prefix))
                return false;
        return true;
    }

    String frameText(StackTraceElement element) {
        final String name = element.getClassName();
        final String line = element.getLineNumber() > 0 ? ":" + element.getLineNumber() : "";
        final String file = element.getFileName() != null ? element.getFileName() : "?";
        final Origin origin =
                file.startsWith("#") ? origins.get(file.substring(1)) : null;
        if (origin != null) {
            final String at = element.getLineNumber() > 0
                    ? ":" + (origin.lineOffset + element.getLineNumber()) : "";
            return origin.className + "." + element.getMethodName() + "(" + origin.file + at + ")";
        }
        if (name.isEmpty() || name.startsWith("REPL.")) {
            // Typed into the console: its methods by name, the typed statement as "Eingabe";
            // the file is the number of the input.
            final String method = element.getMethodName();
            return (method.isEmpty() || method.startsWith("do_it$") ? "Eingabe" : method) + "("
                    + file + line + ")";
        }
        return name + "." + element.getMethodName() + "(" + file + line + ")";
    }

    /**
     * Arrays as Java's own Arrays.toString writes them ("[1, 2]") instead of the engine's
     * "int[2] { 1, 2 }"; quoted texts inside are left as they are.
     */
    static final class ArrayText {
        static String of(String value) {
            final StringBuilder out = new StringBuilder();
            int i = 0;
            final int n = value.length();
            while (i < n) {
                final char c = value.charAt(i);
                if (c == '"' || c == '\'') {
                    final int end = quotedEnd(value, i);
                    out.append(value, i, end);
                    i = end;
                    continue;
                }
                final int head = arrayHeadEnd(value, i);
                if (head > i) {
                    out.append('[');
                    i = head;
                    // An empty array: "int[0] {  }".
                    if (value.startsWith(" }", i)) {
                        out.append(']');
                        i += 2;
                    }
                    continue;
                }
                if (value.startsWith(" }", i)) {
                    out.append(']');
                    i += 2;
                    continue;
                }
                out.append(c);
                ++i;
            }
            return out.toString();
        }

        static int quotedEnd(String value, int start) {
            final char quote = value.charAt(start);
            int i = start + 1;
            while (i < value.length()) {
                final char c = value.charAt(i);
                if (c == '\\')
                    i += 2;
                else if (c == quote)
                    return i + 1;
                else
                    ++i;
            }
            return value.length();
        }

        /** The end of "Name[3][] { " starting at start, or start when there is none. */
        static int arrayHeadEnd(String value, int start) {
            int i = start;
            final int n = value.length();
            if (i > 0 && Character.isJavaIdentifierPart(value.charAt(i - 1)))
                return start;
            while (i < n && (Character.isJavaIdentifierPart(value.charAt(i))))
                ++i;
            if (i == start || i >= n || value.charAt(i) != '[')
                return start;
            ++i;
            final int digits = i;
            while (i < n && Character.isDigit(value.charAt(i)))
                ++i;
            if (i == digits || i >= n || value.charAt(i) != ']')
                return start;
            ++i;
            while (value.startsWith("[]", i))
                i += 2;
            if (!value.startsWith(" { ", i))
                return start;
            return i + 3;
        }
    }
}
