import java.io.BufferedInputStream;
import java.io.DataInputStream;
import java.io.FileDescriptor;
import java.io.FileInputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;

/**
 * What Quill writes on a resident helper's standard input: numbers are 32-bit words, a text
 * is its byte count and its UTF-8 bytes. A count or a size beyond the helper's limits makes
 * the input broken (an IOException), which every helper takes as its end.
 */
final class HelperInput {
    private HelperInput() {
    }

    /** The process's own standard input, buffered; System.in may be handed to other code. */
    static DataInputStream open() {
        return new DataInputStream(new BufferedInputStream(new FileInputStream(FileDescriptor.in)));
    }

    static String readText(DataInputStream in, int maxBytes) throws IOException {
        final int size = in.readInt();
        if (size < 0 || size > maxBytes)
            throw new IOException("bad request");
        final byte[] bytes = new byte[size];
        in.readFully(bytes);
        return new String(bytes, StandardCharsets.UTF_8);
    }

    /** A count of texts, then the texts. */
    static String[] readTexts(DataInputStream in, int maxCount, int maxBytes) throws IOException {
        final int count = in.readInt();
        if (count < 0 || count > maxCount)
            throw new IOException("bad request");
        final String[] texts = new String[count];
        for (int i = 0; i < count; ++i)
            texts[i] = readText(in, maxBytes);
        return texts;
    }
}
