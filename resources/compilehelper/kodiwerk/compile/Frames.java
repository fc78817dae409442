// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.compile;

import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

/**
 * The frames Kodiwerk and the helper exchange over the helper's standard
 * input and output. Every number is 32 bits, most significant byte first;
 * a text is its length in bytes and its UTF-8 bytes.
 *
 * <pre>
 * hello    "KWH1"  text: the Java version
 * request  "KWRQ"  id  count  count texts: working directory, javac's arguments
 * answer   "KWAN"  id  kind (0 compiled, 1 declined)  exit status
 *                  bytes: standard error (or why it was declined)  bytes: standard output
 * </pre>
 */
final class Frames {
    static final int HELLO = 0x4B574831;
    static final int REQUEST = 0x4B575251;
    static final int ANSWER = 0x4B57414E;

    static final int COMPILED = 0;
    static final int DECLINED = 1;

    /** No text of a request, and no request, is larger than this. */
    private static final int LIMIT = 1 << 20;

    static final class Request {
        final int id;
        final String workingDirectory;
        final List<String> arguments;

        Request(int id, String workingDirectory, List<String> arguments) {
            this.id = id;
            this.workingDirectory = workingDirectory;
            this.arguments = arguments;
        }
    }

    private Frames() {
    }

    static void writeHello(DataOutputStream out, String javaVersion) throws IOException {
        out.writeInt(HELLO);
        writeBytes(out, javaVersion.getBytes(StandardCharsets.UTF_8));
        out.flush();
    }

    /** The next request; an IOException when the input ended or is no request. */
    static Request readRequest(DataInputStream in) throws IOException {
        if (in.readInt() != REQUEST)
            throw new IOException("not a request");
        int id = in.readInt();
        int count = in.readInt();
        if (count < 1 || count > LIMIT)
            throw new IOException("bad request size");
        String workingDirectory = readText(in);
        List<String> arguments = new ArrayList<>(count - 1);
        for (int i = 1; i < count; i++)
            arguments.add(readText(in));
        return new Request(id, workingDirectory, arguments);
    }

    static void writeAnswer(DataOutputStream out, int id, int kind, int exitStatus, byte[] err,
                            byte[] stdout) throws IOException {
        out.writeInt(ANSWER);
        out.writeInt(id);
        out.writeInt(kind);
        out.writeInt(exitStatus);
        writeBytes(out, err);
        writeBytes(out, stdout);
        out.flush();
    }

    private static String readText(DataInputStream in) throws IOException {
        int length = in.readInt();
        if (length < 0 || length > LIMIT)
            throw new IOException("bad text size");
        byte[] bytes = new byte[length];
        in.readFully(bytes);
        return new String(bytes, StandardCharsets.UTF_8);
    }

    private static void writeBytes(DataOutputStream out, byte[] bytes) throws IOException {
        out.writeInt(bytes.length);
        out.write(bytes);
    }
}
