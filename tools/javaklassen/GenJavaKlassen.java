import java.io.IOException;
import java.io.Writer;
import java.lang.reflect.Constructor;
import java.lang.reflect.Executable;
import java.lang.reflect.Field;
import java.lang.reflect.GenericArrayType;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.lang.reflect.ParameterizedType;
import java.lang.reflect.Type;
import java.lang.reflect.TypeVariable;
import java.lang.reflect.WildcardType;
import java.net.URI;
import java.nio.charset.StandardCharsets;
import java.nio.file.FileSystem;
import java.nio.file.FileSystems;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.TreeSet;
import java.util.stream.Stream;

/**
 * Writes the class reference "javaklassen.txt" from the running JDK.
 *
 * <p>Format: one block per public class or interface, made of the class line (the binary
 * name, so nested classes such as "java.util.Map$Entry" keep a short name of their own), one
 * line per public constructor, field and method (inherited ones included, since a learner
 * looks for JButton.addActionListener under JButton), and the line "xxxx". Every member line
 * contains "." directly followed by the member's name, so the window's filter finds it.
 *
 * <p>The output depends only on the JDK: packages in the fixed order below, classes sorted by
 * name, members sorted by kind, name and text; LF line breaks, UTF-8.
 *
 * <p>Usage: java GenJavaKlassen output-file
 */
public final class GenJavaKlassen {

    // When two packages hold a class of the same short name, the window shows the first one
    // in the file; the order puts what a learner most likely means first (java.util.List
    // before java.awt.List, java.util.Timer before javax.swing.Timer).
    private static final String[] PACKAGES = {
        "java.lang", "java.util", "java.io",
        "javax.swing", "javax.swing.event", "javax.swing.table", "javax.swing.tree",
        "java.awt", "java.awt.event",
    };

    public static void main(String[] args) throws Exception {
        if (args.length != 1) {
            System.err.println("Usage: java GenJavaKlassen output-file");
            System.exit(2);
        }
        FileSystem jrt = FileSystems.getFileSystem(URI.create("jrt:/"));
        StringBuilder out = new StringBuilder(1 << 22);
        int classes = 0;
        for (String pkg : PACKAGES) {
            for (Class<?> c : classesOf(jrt, pkg)) {
                List<String> members = members(c);
                if (members.isEmpty())
                    continue; // a block needs at least one member line
                out.append(c.getName()).append('\n');
                for (String m : members)
                    out.append(m).append('\n');
                out.append("xxxx\n");
                ++classes;
            }
        }
        Path target = Paths.get(args[0]);
        Path temp = target.resolveSibling(target.getFileName() + ".tmp");
        try (Writer w = Files.newBufferedWriter(temp, StandardCharsets.UTF_8)) {
            w.write(out.toString());
        }
        Files.move(temp, target, java.nio.file.StandardCopyOption.REPLACE_EXISTING);
        System.out.println(target + ": " + classes + " classes, " + out.length() + " bytes, "
                           + "Java " + System.getProperty("java.version"));
    }

    // Public classes of one package (not of its subpackages), nested ones included when
    // they and every class around them are public; sorted by binary name.
    private static List<Class<?>> classesOf(FileSystem jrt, String pkg) throws IOException {
        TreeSet<String> names = new TreeSet<>();
        Path links = jrt.getPath("/packages", pkg);
        try (Stream<Path> modules = Files.list(links)) {
            for (Path module : (Iterable<Path>) modules::iterator) {
                Path dir = jrt.getPath("/modules", module.getFileName().toString(),
                                       pkg.replace('.', '/'));
                if (!Files.isDirectory(dir))
                    continue;
                try (Stream<Path> files = Files.list(dir)) {
                    files.map(p -> p.getFileName().toString())
                        .filter(n -> n.endsWith(".class") && !n.equals("module-info.class")
                                     && !n.equals("package-info.class"))
                        .forEach(n -> names.add(pkg + "." + n.substring(0, n.length() - 6)));
                }
            }
        }
        List<Class<?>> result = new ArrayList<>();
        ClassLoader loader = ClassLoader.getPlatformClassLoader();
        for (String name : names) {
            Class<?> c;
            try {
                c = Class.forName(name, false, loader);
            } catch (ClassNotFoundException | LinkageError e) {
                continue;
            }
            if (isVisible(c))
                result.add(c);
        }
        return result;
    }

    private static boolean isVisible(Class<?> c) {
        if (c.isAnonymousClass() || c.isLocalClass() || c.isSynthetic())
            return false;
        for (Class<?> k = c; k != null; k = k.getDeclaringClass()) {
            if (!Modifier.isPublic(k.getModifiers()))
                return false;
        }
        return true;
    }

    private record Entry(int kind, String name, String line) {}

    private static List<String> members(Class<?> c) {
        TreeSet<Entry> set = new TreeSet<>(Comparator.comparingInt(Entry::kind)
                                               .thenComparing(Entry::name)
                                               .thenComparing(Entry::line));
        for (Constructor<?> k : c.getConstructors()) {
            if (k.isSynthetic())
                continue;
            // "new java.util.ArrayList(int)": the qualified name shows the import and holds
            // ".ArrayList" for the filter.
            String line = typeParams(k) + "new " + c.getName().replace('$', '.')
                          + params(k) + exceptions(k);
            set.add(new Entry(0, c.getSimpleName(), line));
        }
        for (Field f : c.getFields()) {
            if (f.isSynthetic())
                continue;
            String line = modifiers(f.getModifiers()) + type(f.getGenericType()) + " "
                          + owner(f.getDeclaringClass()) + "." + f.getName();
            set.add(new Entry(1, f.getName(), line));
        }
        for (Method m : c.getMethods()) {
            if (m.isSynthetic() || m.isBridge())
                continue;
            String line = modifiers(m.getModifiers()) + typeParams(m)
                          + type(m.getGenericReturnType()) + " " + owner(m.getDeclaringClass())
                          + "." + m.getName() + params(m) + exceptions(m);
            set.add(new Entry(2, m.getName(), line));
        }
        List<String> lines = new ArrayList<>();
        for (Entry e : set)
            lines.add(e.line());
        return lines;
    }

    private static String modifiers(int mod) {
        StringBuilder s = new StringBuilder();
        if (Modifier.isStatic(mod))
            s.append("static ");
        if (Modifier.isFinal(mod))
            s.append("final ");
        return s.toString();
    }

    private static String owner(Class<?> c) {
        // Map.Entry rather than Entry: the nested name as written in source.
        StringBuilder s = new StringBuilder(c.getSimpleName());
        for (Class<?> k = c.getDeclaringClass(); k != null; k = k.getDeclaringClass())
            s.insert(0, k.getSimpleName() + ".");
        return s.toString();
    }

    private static String typeParams(Executable e) {
        TypeVariable<?>[] vars = e.getTypeParameters();
        if (vars.length == 0)
            return "";
        StringBuilder s = new StringBuilder("<");
        for (int i = 0; i < vars.length; ++i) {
            if (i > 0)
                s.append(", ");
            s.append(vars[i].getName());
            Type[] bounds = vars[i].getBounds();
            if (bounds.length > 0 && !(bounds.length == 1 && bounds[0] == Object.class)) {
                s.append(" extends ");
                for (int b = 0; b < bounds.length; ++b) {
                    if (b > 0)
                        s.append(" & ");
                    s.append(type(bounds[b]));
                }
            }
        }
        return s.append("> ").toString();
    }

    private static String params(Executable e) {
        Type[] types = e.getGenericParameterTypes();
        // Constructors of inner classes and enums may hide synthetic parameters from the
        // generic view; fall back to the plain ones then.
        if (types.length != e.getParameterCount())
            types = e.getParameterTypes();
        StringBuilder s = new StringBuilder("(");
        for (int i = 0; i < types.length; ++i) {
            if (i > 0)
                s.append(", ");
            String t = type(types[i]);
            if (e.isVarArgs() && i == types.length - 1 && t.endsWith("[]"))
                t = t.substring(0, t.length() - 2) + "...";
            s.append(t);
        }
        return s.append(')').toString();
    }

    private static String exceptions(Executable e) {
        Type[] types = e.getGenericExceptionTypes();
        if (types.length == 0)
            return "";
        List<String> names = new ArrayList<>();
        for (Type t : types)
            names.add(type(t));
        return " throws " + String.join(", ", names);
    }

    // A type as written in source without package names: "Map.Entry<K, V>", "int[]".
    private static String type(Type t) {
        if (t instanceof Class<?> c) {
            if (c.isArray())
                return type(c.getComponentType()) + "[]";
            return owner(c);
        }
        if (t instanceof ParameterizedType p) {
            StringBuilder s = new StringBuilder(type(p.getRawType()));
            s.append('<');
            Type[] args = p.getActualTypeArguments();
            for (int i = 0; i < args.length; ++i) {
                if (i > 0)
                    s.append(", ");
                s.append(type(args[i]));
            }
            return s.append('>').toString();
        }
        if (t instanceof GenericArrayType g)
            return type(g.getGenericComponentType()) + "[]";
        if (t instanceof WildcardType w) {
            Type[] lower = w.getLowerBounds();
            if (lower.length > 0)
                return "? super " + type(lower[0]);
            Type[] upper = w.getUpperBounds();
            if (upper.length > 0 && upper[0] != Object.class)
                return "? extends " + type(upper[0]);
            return "?";
        }
        if (t instanceof TypeVariable<?> v)
            return v.getName();
        return t.getTypeName();
    }
}
