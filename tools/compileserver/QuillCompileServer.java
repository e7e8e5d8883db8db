import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.File;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.lang.reflect.Method;
import java.net.URI;
import java.util.List;
import javax.tools.Diagnostic;
import javax.tools.DiagnosticCollector;
import javax.tools.FileObject;
import javax.tools.ForwardingJavaFileManager;
import javax.tools.JavaCompiler;
import javax.tools.JavaFileManager;
import javax.tools.JavaFileObject;
import javax.tools.SimpleJavaFileObject;
import javax.tools.StandardJavaFileManager;
import javax.tools.ToolProvider;

/**
 * Quill's resident Java compiler. Quill starts it in the folder of the file being compiled
 * and sends it the compiler's arguments; it compiles with the JDK's compiler in this JVM, so
 * from the second compile on the compiler's start-up costs nothing.
 *
 * <p>Protocol on standard input and output, all numbers 32-bit big-endian, texts UTF-8 with
 * their byte count in front. Once ready it writes the number READY. A request is the number
 * of arguments, the folder, then each argument. The answer is the compiler's exit code (or
 * REFUSED when it cannot compile this request as a process would, ELSEWHERE when it is not
 * working in that folder), then the compiler's output bytes. It ends when its input
 * closes. A refused compile is left to the compiler process.
 *
 * <p>A request that starts with the number CHECK instead checks texts in memory (see
 * {@link SourceCheck}): nothing is written, and the answer lists the messages on the main
 * text with their ranges. Started with the argument "checks" it serves mostly such requests
 * and warms up for them before it is ready.
 */
public final class QuillCompileServer {
    static final int READY = 0x51434C31;
    static final int REFUSED = Integer.MIN_VALUE;
    static final int ELSEWHERE = Integer.MIN_VALUE + 1;
    static final int CHECK = -0x51434B31;
    static final String CHECKS_ARGUMENT = "checks";
    static final int MAX_ARGS = 4096;
    static final int MAX_TEXT = 1 << 20;

    public static void main(String[] args) {
        // Only the protocol may reach standard output.
        final DataOutputStream out = new DataOutputStream(
                new BufferedOutputStream(new FileOutputStream(FileDescriptor.out)));
        System.setOut(System.err);
        final DataInputStream in = new DataInputStream(new BufferedInputStream(System.in));

        // The compiler decides its default class path from what its own launcher sets: the
        // JDK's home, and the CLASSPATH variable when there is one. Without them it would use
        // this program's class path.
        System.setProperty("application.home", System.getProperty("java.home"));
        final String classPath = System.getenv("CLASSPATH");
        if (classPath != null)
            System.setProperty("env.class.path", classPath);
        else
            System.clearProperty("env.class.path");

        final JavaCompiler compiler = ToolProvider.getSystemJavaCompiler();
        if (compiler == null)
            System.exit(3);
        final SourceCheck checks = new SourceCheck(compiler);
        try {
            warmUp(compiler);
            // One started for checks first checks a few times; one for compiles does not
            // wait for that.
            if (args.length > 0 && args[0].equals(CHECKS_ARGUMENT))
                checks.warmUp();
            out.writeInt(READY);
            out.flush();
            for (;;) {
                final int count;
                try {
                    count = in.readInt();
                } catch (EOFException end) {
                    break;
                }
                if (count == CHECK) {
                    check(in, out, checks);
                    continue;
                }
                if (count < 0 || count > MAX_ARGS)
                    System.exit(2);
                final String folder = readText(in);
                final String[] arguments = new String[count];
                for (int i = 0; i < count; ++i)
                    arguments[i] = readText(in);
                if (!plainOrUtf8(folder, arguments)) {
                    answer(out, REFUSED, new byte[0]);
                    continue;
                }
                if (!isHere(folder)) {
                    answer(out, ELSEWHERE, new byte[0]);
                    continue;
                }
                final ByteArrayOutputStream output = new ByteArrayOutputStream();
                int exitCode;
                try {
                    exitCode = compiler.run(null, output, output, arguments);
                } catch (RuntimeException | Error failure) {
                    // Quill then compiles with the compiler's own process and starts a new
                    // one of these for the next compile.
                    answer(out, REFUSED, new byte[0]);
                    System.exit(4);
                    return;
                }
                answer(out, exitCode, output.toByteArray());
            }
        } catch (IOException broken) {
            System.exit(1);
        }
        System.exit(0);
    }

    /**
     * A check request: the folder, the options, the main file's name and text, then the
     * number of other texts and each one's file name and text. The answer is 0 and the
     * messages, REFUSED when the check failed, ELSEWHERE for another folder.
     */
    static void check(DataInputStream in, DataOutputStream out, SourceCheck checks)
            throws IOException {
        final String folder = readText(in);
        final List<String> options = readTexts(in);
        final String mainName = readText(in);
        final String mainText = readText(in);
        final int others = in.readInt();
        if (others < 0 || others > MAX_ARGS)
            System.exit(2);
        final List<String[]> otherTexts = new ArrayList<>();
        for (int i = 0; i < others; ++i)
            otherTexts.add(new String[] {readText(in), readText(in)});
        if (!isHere(folder)) {
            answer(out, ELSEWHERE, new byte[0]);
            return;
        }
        final byte[] messages;
        try {
            messages = checks.run(options, mainName, mainText, otherTexts);
        } catch (RuntimeException | Error failure) {
            checks.reset();
            answer(out, REFUSED, new byte[0]);
            return;
        }
        answer(out, 0, messages);
    }

    static List<String> readTexts(DataInputStream in) throws IOException {
        return Arrays.asList(HelperInput.readTexts(in, MAX_ARGS, MAX_TEXT));
    }

    static String readText(DataInputStream in) throws IOException {
        return HelperInput.readText(in, MAX_TEXT);
    }

    static void answer(DataOutputStream out, int exitCode, byte[] output) throws IOException {
        out.writeInt(exitCode);
        out.writeInt(output.length);
        out.write(output);
        out.flush();
    }

    /**
     * True when the texts reach this JVM as they would reach a compiler process: a process
     * gets its arguments through the locale's encoding, which only keeps plain text whole
     * unless it is UTF-8.
     */
    static boolean plainOrUtf8(String folder, String[] arguments) {
        final String encoding = System.getProperty("sun.jnu.encoding", "");
        if (encoding.equalsIgnoreCase("UTF-8") || encoding.equalsIgnoreCase("UTF8"))
            return true;
        if (!isAscii(folder))
            return false;
        for (String argument : arguments)
            if (!isAscii(argument))
                return false;
        return true;
    }

    static boolean isAscii(String text) {
        for (int i = 0; i < text.length(); ++i)
            if (text.charAt(i) > 0x7F)
                return false;
        return true;
    }

    /**
     * True when folder is this process's working directory itself, not merely a folder of
     * the same name (the working directory may have been renamed or removed meanwhile).
     */
    static boolean isHere(String folder) {
        try {
            return Files.isSameFile(Paths.get(folder), Paths.get("."));
        } catch (IOException | RuntimeException missing) {
            return false;
        }
    }

    /** One compile of a tiny class in a folder of its own, so the first real one is fast. */
    static void warmUp(JavaCompiler compiler) {
        Path dir = null;
        try {
            dir = Files.createTempDirectory("quill-warm");
            final Path source = dir.resolve("Warm.java");
            Files.write(source, ("public class Warm { public static void main(String[] a) {"
                                 + " System.out.println(a.length); } }")
                                        .getBytes(StandardCharsets.US_ASCII));
            final OutputStream discard = new ByteArrayOutputStream();
            compiler.run(null, discard, discard, "-d", dir.toString(), source.toString());
        } catch (IOException | RuntimeException ignored) {
            // Only slower.
        } finally {
            if (dir != null)
                deleteTree(dir.toFile());
        }
    }

    static void deleteTree(File file) {
        final File[] children = file.listFiles();
        if (children != null)
            for (File child : children)
                deleteTree(child);
        file.delete();
    }

    /**
     * Checks a text as the compiler would compile it with the same options, without
     * writing anything: the texts are sources in memory, the compiler stops after its
     * analysis, and any output it still asks for is swallowed. Only the main text's
     * messages are answered; the other texts stand in for their files on disk.
     */
    static final class SourceCheck {
        private final JavaCompiler compiler;
        // One file manager while the options stay the same: it keeps the opened class
        // path archives, so a check does not read the JDK's classes anew. Options change
        // its state, so other options get a new one.
        private StandardJavaFileManager files;
        private List<String> filesOptions;

        SourceCheck(JavaCompiler compiler) {
            this.compiler = compiler;
        }

        /**
         * Checks a small text a few times, so the first real check is quick and what the
         * checks keep in memory is there from the start.
         */
        void warmUp() {
            final List<String> options = Arrays.asList("-encoding", "UTF-8");
            final String name = new File("Warm.java").getAbsolutePath();
            try {
                for (int i = 0; i < WARM_CHECKS; ++i)
                    run(options, name, "class Warm { int f() { int a = " + i
                                       + "; String s = a; return s.length(); } }",
                        new ArrayList<String[]>());
            } catch (IOException | RuntimeException ignored) {
                // Only slower.
            } finally {
                reset();
            }
        }

        static final int WARM_CHECKS = 30;

        void reset() {
            if (files != null) {
                try {
                    files.close();
                } catch (IOException ignored) {
                    // It is dropped anyway.
                }
            }
            files = null;
            filesOptions = null;
        }

        byte[] run(List<String> givenOptions, String mainName, String mainText,
                   List<String[]> otherTexts) throws IOException {
            final List<String> options = new ArrayList<>(givenOptions);
            if (!options.contains("-proc:none"))
                options.add("-proc:none");
            if (files == null || !options.equals(filesOptions)) {
                reset();
                files = compiler.getStandardFileManager(null, null, null);
                filesOptions = options;
            }
            final MemorySource main = new MemorySource(mainName, mainText);
            final List<JavaFileObject> units = new ArrayList<>();
            units.add(main);
            for (String[] other : otherTexts)
                units.add(new MemorySource(other[0], other[1]));
            final DiagnosticCollector<JavaFileObject> found = new DiagnosticCollector<>();
            final JavaCompiler.CompilationTask task = compiler.getTask(
                    new PrintWriter(new Swallow()),
                    new NoOutput(files), found, options, null, units);
            analyze(task);
            final ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            final DataOutputStream answer = new DataOutputStream(bytes);
            final List<Diagnostic<? extends JavaFileObject>> mine = new ArrayList<>();
            for (Diagnostic<? extends JavaFileObject> diagnostic : found.getDiagnostics())
                if (diagnostic.getSource() == main && kindOf(diagnostic) >= 0)
                    mine.add(diagnostic);
            answer.writeInt(mine.size());
            for (Diagnostic<? extends JavaFileObject> diagnostic : mine)
                write(answer, diagnostic, mainText);
            answer.flush();
            return bytes.toByteArray();
        }

        /** Runs the compiler up to its analysis when it can stop there, else to its end. */
        static void analyze(JavaCompiler.CompilationTask task) {
            try {
                final Method analyze =
                        Class.forName("com.sun.source.util.JavacTask").getMethod("analyze");
                if (analyze.getDeclaringClass().isInstance(task)) {
                    analyze.invoke(task);
                    return;
                }
            } catch (java.lang.reflect.InvocationTargetException failed) {
                final Throwable cause = failed.getCause();
                if (cause instanceof RuntimeException)
                    throw (RuntimeException) cause;
                if (cause instanceof Error)
                    throw (Error) cause;
                throw new IllegalStateException(cause);
            } catch (ReflectiveOperationException | LinkageError notThere) {
                // Compiled to the end below; the output goes nowhere either way.
            }
            task.call();
        }

        /** 0 for an error, 1 for a warning, -1 for what is neither. */
        static int kindOf(Diagnostic<?> diagnostic) {
            switch (diagnostic.getKind()) {
            case ERROR:
                return 0;
            case WARNING:
            case MANDATORY_WARNING:
                return 1;
            default:
                return -1;
            }
        }

        /**
         * A message: its kind, the line (from 1) and column (from 0) of its start and of
         * its end in the text, its text and the compiler's code for it. Columns count
         * characters; a tab is one.
         */
        static void write(DataOutputStream out, Diagnostic<?> diagnostic, String text)
                throws IOException {
            long start = diagnostic.getStartPosition();
            long end = diagnostic.getEndPosition();
            final long position = diagnostic.getPosition();
            if (start == Diagnostic.NOPOS)
                start = position;
            if (end == Diagnostic.NOPOS || end < start)
                end = start;
            // A range over several lines (a method's body, a whole class) says less than
            // the place the compiler points to: that place only.
            if (position != Diagnostic.NOPOS && spansLines(text, start, end)) {
                start = position;
                end = position;
            }
            out.writeInt(kindOf(diagnostic));
            writePlace(out, text, start);
            writePlace(out, text, end);
            writeText(out, simpleNames(diagnostic.getMessage(null)));
            writeText(out, diagnostic.getCode() == null ? "" : diagnostic.getCode());
        }

        /** True when a line ends between start and end. */
        static boolean spansLines(String text, long start, long end) {
            final int last = (int) Math.min(end, text.length()) - 1;
            return last >= 0 && text.lastIndexOf('\n', last) >= start;
        }

        /**
         * The message as the compiler prints it: it names classes without their package
         * there ("String", not "java.lang.String"), but not through this interface.
         */
        static String simpleNames(String message) {
            return QUALIFIED.matcher(message).replaceAll("$1");
        }

        static final java.util.regex.Pattern QUALIFIED = java.util.regex.Pattern.compile(
                "\\b(?:[a-z_][A-Za-z0-9_]*\\.)+([A-Z][A-Za-z0-9_]*)");

        static void writePlace(DataOutputStream out, String text, long position)
                throws IOException {
            if (position < 0) {
                out.writeInt(0);
                out.writeInt(-1);
                return;
            }
            final int at = (int) Math.min(position, text.length());
            int line = 1;
            int lineStart = 0;
            for (int i = 0; i < at; ++i) {
                if (text.charAt(i) == '\n') {
                    ++line;
                    lineStart = i + 1;
                }
            }
            out.writeInt(line);
            out.writeInt(at - lineStart);
        }

        static void writeText(DataOutputStream out, String text) throws IOException {
            final byte[] bytes = text.getBytes(StandardCharsets.UTF_8);
            out.writeInt(bytes.length);
            out.write(bytes);
        }
    }

    /** A source text in memory that stands for the file of its name. */
    static final class MemorySource extends SimpleJavaFileObject {
        private final String text;

        MemorySource(String fileName, String text) {
            super(new File(fileName).toURI(), JavaFileObject.Kind.SOURCE);
            this.text = text;
        }

        @Override
        public CharSequence getCharContent(boolean ignoreEncodingErrors) {
            return text;
        }
    }

    /** Hands the compiler files to write that keep nothing. */
    static final class NoOutput extends ForwardingJavaFileManager<StandardJavaFileManager> {
        NoOutput(StandardJavaFileManager files) {
            super(files);
        }

        @Override
        public JavaFileObject getJavaFileForOutput(JavaFileManager.Location location,
                                                   String className, JavaFileObject.Kind kind,
                                                   FileObject sibling) {
            return new Discarded(className, kind);
        }

        @Override
        public FileObject getFileForOutput(JavaFileManager.Location location,
                                           String packageName, String relativeName,
                                           FileObject sibling) {
            return new Discarded(packageName + "/" + relativeName, JavaFileObject.Kind.OTHER);
        }

        @Override
        public boolean isSameFile(FileObject a, FileObject b) {
            if (a instanceof SimpleJavaFileObject || b instanceof SimpleJavaFileObject)
                return a.toUri().equals(b.toUri());
            return super.isSameFile(a, b);
        }

        @Override
        public void close() {
            // The file manager below is kept for the next check.
        }
    }

    /** An output file whose bytes go nowhere. */
    static final class Discarded extends SimpleJavaFileObject {
        Discarded(String name, JavaFileObject.Kind kind) {
            super(uriOf(name + kind.extension), kind);
        }

        static URI uriOf(String name) {
            try {
                return new URI("discarded", null, "/" + name, null);
            } catch (java.net.URISyntaxException odd) {
                return URI.create("discarded:///output");
            }
        }

        @Override
        public OutputStream openOutputStream() {
            return new Swallow();
        }
    }

    /** An output stream that drops every byte. */
    static final class Swallow extends OutputStream {
        @Override
        public void write(int b) {}

        @Override
        public void write(byte[] b, int off, int len) {}
    }
}
