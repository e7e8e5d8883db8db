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
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import javax.tools.JavaCompiler;
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
 */
public final class QuillCompileServer {
    static final int READY = 0x51434C31;
    static final int REFUSED = Integer.MIN_VALUE;
    static final int ELSEWHERE = Integer.MIN_VALUE + 1;
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
        try {
            warmUp(compiler);
            out.writeInt(READY);
            out.flush();
            for (;;) {
                final int count;
                try {
                    count = in.readInt();
                } catch (EOFException end) {
                    break;
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

    static String readText(DataInputStream in) throws IOException {
        final int size = in.readInt();
        if (size < 0 || size > MAX_TEXT)
            throw new IOException("bad request");
        final byte[] bytes = new byte[size];
        in.readFully(bytes);
        return new String(bytes, StandardCharsets.UTF_8);
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
}
