import java.io.ByteArrayOutputStream;
import java.io.IOException;
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

// Compiles each file given after the class directory on its own, through the
// JDK's compiler API: the same compiler as the javac command, in one JVM, so
// that many small files take seconds rather than minutes. Writes for each
// file a line "=== <file>" and then exactly the bytes javac wrote for it.
public class CompileEach {
    public static void main(String[] args) throws IOException {
        JavaCompiler compiler = ToolProvider.getSystemJavaCompiler();
        for (int i = 1; i < args.length; i++) {
            ByteArrayOutputStream written = new ByteArrayOutputStream();
            compiler.run(null, null, written, "-nowarn", "-encoding", "UTF-8", "-d", args[0],
                         args[i]);
            System.out.println("=== " + args[i]);
            System.out.flush();
            System.out.write(written.toByteArray());
            System.out.flush();
        }
    }
}
