// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.compile;

import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.FileDescriptor;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Comparator;
import java.util.stream.Stream;
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

/**
 * Kodiwerk's compile helper: a VM kept running with the JDK's compiler in
 * it, so a compile costs the compile and not the start of a VM. It reads
 * requests on its standard input, answers each on its standard output (see
 * Frames) and ends when its standard input ends.
 */
public final class CompileHelper {

    private CompileHelper() {
    }

    public static void main(String[] args) throws IOException {
        // The frames own the real standard input and output; nothing else may write there.
        DataInputStream requests =
            new DataInputStream(new BufferedInputStream(new FileInputStream(FileDescriptor.in)));
        DataOutputStream answers =
            new DataOutputStream(new BufferedOutputStream(new FileOutputStream(FileDescriptor.out)));
        System.setOut(new PrintStream(OutputStream.nullOutputStream()));

        JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        if (javac == null) {
            System.err.println("This Java has no compiler.");
            System.exit(1);
        }
        JavacRun runner = new JavacRun(javac);
        Frames.writeHello(answers, System.getProperty("java.version"));
        warmUp(javac, requests);

        while (true) {
            Frames.Request request;
            try {
                request = Frames.readRequest(requests);
            } catch (EOFException e) {
                System.exit(0);
                return;
            }
            JavacRun.Result result = runner.run(request);
            Frames.writeAnswer(answers, request.id, result.kind, result.exitStatus, result.err,
                               result.out);
            if (result.endHelper)
                System.exit(1);
        }
    }

    /**
     * A few compiles with errors and without, of what a learner's program
     * uses, load and prepare what the user's first compile needs, for as
     * long as nobody asks for one.
     */
    private static void warmUp(JavaCompiler javac, DataInputStream requests) {
        Path directory = null;
        try {
            directory = Files.createTempDirectory("kodiwerk-warm-up");
            Path broken = directory.resolve("Broken.java");
            Files.write(broken, ("class Broken { void f() { int a = \"1\"; g(); int b = 2 }\n}\n")
                                    .getBytes(StandardCharsets.UTF_8));
            Path fine = directory.resolve("Fine.java");
            Files.write(fine, ("import java.util.*;\npublic class Fine {\n"
                               + "  public static void main(String[] a) {\n"
                               + "    List<String> l = new ArrayList<>(); l.add(\"x\" + a.length);\n"
                               + "    Scanner s = new Scanner(System.in); Random r = new Random();\n"
                               + "    System.out.println(l.get(0) + Math.max(r.nextInt(3), 1));\n"
                               + "  }\n}\n")
                                  .getBytes(StandardCharsets.UTF_8));
            OutputStream ignored = OutputStream.nullOutputStream();
            for (int round = 0; round < 8 && requests.available() == 0; round++) {
                Path source = round % 2 == 0 ? broken : fine;
                javac.run(null, ignored, ignored, "-d", directory.toString(), source.toString());
            }
        } catch (IOException | RuntimeException e) {
            // Only the first compile is slower then.
        } finally {
            if (directory != null)
                removeAll(directory);
        }
    }

    private static void removeAll(Path directory) {
        try (Stream<Path> paths = Files.walk(directory)) {
            paths.sorted(Comparator.reverseOrder()).forEach(path -> path.toFile().delete());
        } catch (IOException e) {
            // A temporary directory left behind.
        }
    }
}
