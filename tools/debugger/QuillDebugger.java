import com.sun.jdi.AbsentInformationException;
import com.sun.jdi.ArrayReference;
import com.sun.jdi.BooleanValue;
import com.sun.jdi.Bootstrap;
import com.sun.jdi.ByteValue;
import com.sun.jdi.CharValue;
import com.sun.jdi.DoubleValue;
import com.sun.jdi.Field;
import com.sun.jdi.FloatValue;
import com.sun.jdi.IncompatibleThreadStateException;
import com.sun.jdi.IntegerValue;
import com.sun.jdi.LocalVariable;
import com.sun.jdi.Location;
import com.sun.jdi.LongValue;
import com.sun.jdi.Method;
import com.sun.jdi.ObjectReference;
import com.sun.jdi.PathSearchingVirtualMachine;
import com.sun.jdi.ReferenceType;
import com.sun.jdi.ShortValue;
import com.sun.jdi.StackFrame;
import com.sun.jdi.StringReference;
import com.sun.jdi.ThreadReference;
import com.sun.jdi.VMDisconnectedException;
import com.sun.jdi.Value;
import com.sun.jdi.VirtualMachine;
import com.sun.jdi.connect.Connector;
import com.sun.jdi.connect.ListeningConnector;
import com.sun.jdi.connect.TransportTimeoutException;
import com.sun.jdi.event.BreakpointEvent;
import com.sun.jdi.event.ClassPrepareEvent;
import com.sun.jdi.event.Event;
import com.sun.jdi.event.EventSet;
import com.sun.jdi.event.ExceptionEvent;
import com.sun.jdi.event.LocatableEvent;
import com.sun.jdi.event.StepEvent;
import com.sun.jdi.event.VMDeathEvent;
import com.sun.jdi.event.VMDisconnectEvent;
import com.sun.jdi.request.BreakpointRequest;
import com.sun.jdi.request.ClassPrepareRequest;
import com.sun.jdi.request.EventRequest;
import com.sun.jdi.request.EventRequestManager;
import com.sun.jdi.request.ExceptionRequest;
import com.sun.jdi.request.StepRequest;
import java.io.BufferedOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * Quill's debug helper: waits on the loopback address for one program started with the JDK's
 * debugging agent, and stops, steps and shows variables of it through the JDK's debugger
 * interface as Quill asks.
 *
 * <p>Protocol on standard input and output, all numbers 32-bit big-endian, texts UTF-8 with
 * their byte count in front. Once ready it writes the number READY. A request is its kind,
 * the number of texts, then each text (numbers as decimal texts). An answer is its kind and
 * the byte count of its body, a sequence of texts. It ends when its input closes, and ends
 * the program it debugs then.
 */
public final class QuillDebugger {
    static final int READY = 0x51434C31;

    static final int LISTEN = 1; // main class, milliseconds to wait for the program
    static final int BREAKPOINTS = 2; // file, lines
    static final int RESUME = 3;
    static final int STEP_OVER = 4;
    static final int STEP_INTO = 5;
    static final int STEP_OUT = 6;
    static final int FRAME = 7; // index
    static final int EXPAND = 8; // object id
    static final int FINISH = 9;

    static final int LISTENING = 1; // port
    static final int STOPPED = 2; // exception, then method, class, source, line of each frame
    static final int VARIABLES = 3; // frame index, then name, value, type, id of each
    static final int CHILDREN = 4; // object id, then name, value, type, id of each
    static final int MOVED = 5; // file, from line, to line
    static final int ENDED = 6;
    static final int FAILED = 7; // message

    static final int MAX_TEXTS = 1 << 20;
    static final int MAX_TEXT = 16 << 20;
    /** Array elements shown before the rest is cut off. */
    static final int MAX_ELEMENTS = 100;
    /** Frames of a stop reported, innermost first. */
    static final int MAX_FRAMES = 1000;
    /** Characters of a string value shown before it is cut off. */
    static final int MAX_STRING = 1000;

    /** The JDK's own classes: never stepped into, their classes' loading not watched. */
    static final String[] LIBRARY = {"java.*", "javax.*", "jdk.*", "sun.*", "com.sun.*"};

    /** The framed output; every frame is written whole, whichever thread writes it. */
    static final class Frames {
        private final DataOutputStream out;

        Frames() {
            out = new DataOutputStream(
                    new BufferedOutputStream(new FileOutputStream(FileDescriptor.out), 1 << 16));
        }

        synchronized void write(int kind, List<String> texts) {
            try {
                final List<byte[]> encoded = new ArrayList<>(texts.size());
                int size = 0;
                for (String text : texts) {
                    final byte[] bytes = text.getBytes(StandardCharsets.UTF_8);
                    encoded.add(bytes);
                    size += 4 + bytes.length;
                }
                out.writeInt(kind);
                out.writeInt(size);
                for (byte[] bytes : encoded) {
                    out.writeInt(bytes.length);
                    out.write(bytes);
                }
                out.flush();
            } catch (IOException gone) {
                // Quill is gone: nothing to answer to.
                Runtime.getRuntime().halt(0);
            }
        }

        synchronized void writeReady() throws IOException {
            out.writeInt(READY);
            out.flush();
        }
    }

    /** A stop of the program: its events, their thread, the exception ("" for none). */
    static final class Waiting {
        final EventSet events;
        final ThreadReference thread;
        final String exception;

        Waiting(EventSet events, ThreadReference thread, String exception) {
            this.events = events;
            this.thread = thread;
            this.exception = exception;
        }
    }

    /** One program debugged, from Listen to its end. */
    static final class Session {
        final String mainClass;
        final ListeningConnector connector;
        final Map<String, Connector.Argument> arguments;
        VirtualMachine vm;
        /** Ended or finished: nothing more is reported of it. */
        boolean over;
        /** While stopped: the events that stopped it, and their thread. */
        EventSet stoppedBy;
        ThreadReference thread;
        /** Stops of other threads that came while it stood, in order. */
        final ArrayDeque<Waiting> waiting = new ArrayDeque<>();
        /** The objects handed out since the program last ran: by id, kept from collection. */
        final Map<Long, ObjectReference> handedOut = new HashMap<>();
        /** The program's loaded classes: by the name of their source file. */
        final Map<String, List<ReferenceType>> typesBySource = new HashMap<>();
        /** The breakpoint requests of each file (as Quill names it). */
        final Map<String, List<BreakpointRequest>> requests = new HashMap<>();
        /** The line each asked line of each file takes effect on, once known. */
        final Map<String, Map<Integer, Integer>> resolved = new HashMap<>();
        /** The folders of the program's class path; null when the program does not say. */
        List<Path> folders;
        /** The stop at the first line of main when no breakpoint was set. */
        BreakpointRequest entry;

        Session(String mainClass, ListeningConnector connector,
                Map<String, Connector.Argument> arguments) {
            this.mainClass = mainClass;
            this.connector = connector;
            this.arguments = arguments;
        }
    }

    private final Frames frames = new Frames();
    /** The breakpoints Quill set: lines by file, kept between programs. */
    private final Map<String, List<Integer>> breakpoints = new LinkedHashMap<>();
    private Session session;

    public static void main(String[] args) throws Exception {
        final QuillDebugger debugger = new QuillDebugger();
        debugger.frames.writeReady();
        debugger.readRequests();
    }

    /**
     * Reads and carries out requests on this thread; the program's events come on another,
     * so a request to finish reaches a program that runs.
     */
    void readRequests() {
        final DataInputStream in = HelperInput.open();
        try {
            for (;;) {
                final int kind;
                try {
                    kind = in.readInt();
                } catch (EOFException end) {
                    break;
                }
                final String[] texts = HelperInput.readTexts(in, MAX_TEXTS, MAX_TEXT);
                synchronized (this) {
                    handle(kind, texts);
                }
            }
        } catch (IOException broken) {
            // As if the input had closed.
        }
        // Quill closed its end: the program it debugs must not run on without it.
        synchronized (this) {
            finish(false);
        }
        Runtime.getRuntime().halt(0);
    }

    static int number(String[] texts, int index, int fallback) {
        if (index >= texts.length)
            return fallback;
        try {
            return Integer.parseInt(texts[index]);
        } catch (NumberFormatException bad) {
            return fallback;
        }
    }

    void handle(int kind, String[] texts) {
        try {
            switch (kind) {
            case LISTEN:
                listen(texts.length > 0 ? texts[0] : "", number(texts, 1, 60000));
                break;
            case BREAKPOINTS:
                setBreakpoints(texts);
                break;
            case RESUME:
            case STEP_OVER:
            case STEP_INTO:
            case STEP_OUT:
                resume(kind);
                break;
            case FRAME:
                variables(number(texts, 0, 0));
                break;
            case EXPAND:
                expand(texts.length > 0 ? texts[0] : "");
                break;
            case FINISH:
                finish(true);
                break;
            default:
                break; // a request of a later Quill: nothing to do
            }
        } catch (VMDisconnectedException gone) {
            // The program ended while the request ran: its end is reported by the events.
        } catch (RuntimeException unexpected) {
            final String message = "Der Debugger ist auf einen Fehler gestoßen: " + unexpected;
            if (session != null)
                fail(session, message);
            else
                write(FAILED, message);
        }
    }

    void write(int kind, String... texts) {
        frames.write(kind, List.of(texts));
    }

    /** Ends a session with a message; the program it debugs ends too. */
    void fail(Session s, String message) {
        if (s == null || s.over || s != session)
            return;
        end(s);
        write(FAILED, message);
    }

    /** Ends a session's program and forgets the session, without a word. */
    void end(Session s) {
        s.over = true;
        if (session == s)
            session = null;
        if (s.vm != null) {
            try {
                s.vm.exit(1);
            } catch (RuntimeException gone) {
                // Ended already.
            }
            try {
                s.vm.dispose();
            } catch (RuntimeException gone) {
                // Ended already.
            }
        } else {
            try {
                s.connector.stopListening(s.arguments);
            } catch (IOException | RuntimeException | com.sun.jdi.connect.IllegalConnectorArgumentsException
                             notListening) {
                // Nothing to stop.
            }
        }
    }

    void finish(boolean report) {
        final Session s = session;
        if (s == null)
            return;
        end(s);
        if (report)
            write(ENDED);
    }

    // ---- Waiting for the program ----

    void listen(String mainClass, int timeoutMs) {
        if (session != null)
            end(session);
        ListeningConnector connector = null;
        for (ListeningConnector candidate :
                Bootstrap.virtualMachineManager().listeningConnectors())
            if (candidate.name().equals("com.sun.jdi.SocketListen"))
                connector = candidate;
        if (connector == null) {
            write(FAILED, "Der Debugger findet in diesem JDK keine Verbindung über Sockets.");
            return;
        }
        final Map<String, Connector.Argument> arguments = connector.defaultArguments();
        arguments.get("port").setValue("0");
        // Only the program on this computer may connect.
        final Connector.Argument local = arguments.get("localAddress");
        if (local == null) {
            write(FAILED, "Der Debugger kann in diesem JDK nicht nur auf diesem Rechner warten.");
            return;
        }
        local.setValue("127.0.0.1");
        arguments.get("timeout").setValue(String.valueOf(Math.max(1, timeoutMs)));
        final String address;
        try {
            address = connector.startListening(arguments);
        } catch (IOException | com.sun.jdi.connect.IllegalConnectorArgumentsException
                         | RuntimeException cannot) {
            write(FAILED, "Der Debugger kann nicht auf das Programm warten: " + cannot.getMessage());
            return;
        }
        final Session s = new Session(mainClass, connector, arguments);
        session = s;
        write(LISTENING, address.substring(address.lastIndexOf(':') + 1));
        final Thread waiter = new Thread(() -> accept(s), "accept");
        waiter.setDaemon(true);
        waiter.start();
    }

    /** Waits for the program, then passes its events on until it ends. */
    void accept(Session s) {
        VirtualMachine vm;
        try {
            vm = s.connector.accept(s.arguments);
        } catch (TransportTimeoutException late) {
            synchronized (this) {
                fail(s, "Das Programm hat sich nicht mit dem Debugger verbunden.");
            }
            return;
        } catch (IOException | com.sun.jdi.connect.IllegalConnectorArgumentsException
                         | RuntimeException broken) {
            synchronized (this) {
                fail(s, "Das Programm konnte sich nicht mit dem Debugger verbinden: "
                        + broken.getMessage());
            }
            return;
        }
        synchronized (this) {
            try {
                s.connector.stopListening(s.arguments);
            } catch (IOException | com.sun.jdi.connect.IllegalConnectorArgumentsException
                             | RuntimeException notListening) {
                // Only one program per session: the port is closed either way.
            }
            if (s.over) {
                // Finished while the program connected.
                try {
                    vm.exit(1);
                } catch (RuntimeException gone) {
                    // Ended already.
                }
                return;
            }
            s.vm = vm;
            s.folders = programFolders(vm);
            try {
                watch(s);
            } catch (VMDisconnectedException gone) {
                ended(s);
                return;
            }
        }
        try {
            for (;;) {
                final EventSet events = vm.eventQueue().remove();
                synchronized (this) {
                    try {
                        if (!take(s, events))
                            return;
                    } catch (VMDisconnectedException gone) {
                        ended(s);
                        return;
                    } catch (RuntimeException unexpected) {
                        fail(s, "Der Debugger ist auf einen Fehler gestoßen: " + unexpected);
                        return;
                    }
                }
            }
        } catch (InterruptedException | VMDisconnectedException gone) {
            synchronized (this) {
                ended(s);
            }
        }
    }

    /** The program's end, reported once. */
    void ended(Session s) {
        if (s.over || s != session)
            return;
        s.over = true;
        session = null;
        try {
            s.vm.dispose();
        } catch (RuntimeException gone) {
            // Gone already.
        }
        write(ENDED);
    }

    /** The requests every program gets before its first line runs. */
    void watch(Session s) {
        final EventRequestManager manager = s.vm.eventRequestManager();
        final ClassPrepareRequest prepare = manager.createClassPrepareRequest();
        for (String library : LIBRARY)
            prepare.addClassExclusionFilter(library);
        prepare.setSuspendPolicy(EventRequest.SUSPEND_ALL);
        prepare.enable();
        final ExceptionRequest uncaught = manager.createExceptionRequest(null, false, true);
        uncaught.setSuspendPolicy(EventRequest.SUSPEND_ALL);
        uncaught.enable();
    }

    // ---- The program's events ----

    /** Takes one set of events; false once the program ended. */
    boolean take(Session s, EventSet events) {
        if (s.over || s != session) {
            return false;
        }
        LocatableEvent stop = null;
        String exception = "";
        for (Event event : events) {
            if (event instanceof VMDeathEvent || event instanceof VMDisconnectEvent) {
                ended(s);
                return false;
            }
            if (event instanceof ClassPrepareEvent) {
                prepared(s, ((ClassPrepareEvent) event).referenceType());
            } else if (event instanceof BreakpointEvent || event instanceof StepEvent) {
                stop = (LocatableEvent) event;
            } else if (event instanceof ExceptionEvent) {
                final ExceptionEvent thrown = (ExceptionEvent) event;
                if (isUncaught(thrown)) {
                    stop = thrown;
                    exception = describe(thrown);
                }
            }
        }
        if (stop == null) {
            events.resume();
            return true;
        }
        if (s.stoppedBy != null) {
            // Another thread stopped as well before all stood still: its turn comes when the
            // program is to run on.
            s.waiting.add(new Waiting(events, stop.thread(), exception));
            return true;
        }
        stopAt(s, new Waiting(events, stop.thread(), exception));
        return true;
    }

    void stopAt(Session s, Waiting stop) {
        final EventRequestManager manager = s.vm.eventRequestManager();
        manager.deleteEventRequests(manager.stepRequests());
        if (s.entry != null) {
            manager.deleteEventRequest(s.entry);
            s.entry = null;
        }
        s.stoppedBy = stop.events;
        s.thread = stop.thread;
        reportStop(s, stop.exception);
        variables(0);
    }

    /**
     * True when nothing catches the exception. The virtual machine looks for a handler only
     * up to the next native frame, so an exception that passes through one (a class loaded
     * for the JDK's own native code, a reflective call) may still be caught beyond it.
     */
    static boolean isUncaught(ExceptionEvent thrown) {
        if (thrown.catchLocation() != null)
            return false;
        try {
            final List<StackFrame> stack = thrown.thread().frames();
            for (int i = 1; i < stack.size(); ++i)
                if (stack.get(i).location().method().isNative())
                    return false;
        } catch (IncompatibleThreadStateException notSuspended) {
            return false;
        }
        return true;
    }

    /**
     * "class: message". The message is read from Throwable's field rather than by calling
     * getMessage in the program: a call runs the learner's code (an overriding getMessage),
     * which may wait for a lock another stopped thread holds, or meet a breakpoint, while
     * the program is to stand still. The one exception is the JDK's own
     * NullPointerException, whose message ("Cannot invoke ... because "s" is null") only
     * its getMessage makes, from the exception alone: it is called in the stopped thread
     * only, the others stay stopped.
     */
    static String describe(ExceptionEvent thrown) {
        final ObjectReference exception = thrown.exception();
        final String name = exception.referenceType().name();
        final Field field = exception.referenceType().fieldByName("detailMessage");
        Value message = field != null ? exception.getValue(field) : null;
        if (message == null && name.equals("java.lang.NullPointerException"))
            message = computedMessage(thrown.thread(), exception);
        if (message instanceof StringReference)
            return name + ": " + ((StringReference) message).value();
        return name;
    }

    static Value computedMessage(ThreadReference thread, ObjectReference exception) {
        final List<Method> getMessage =
                exception.referenceType().methodsByName("getMessage", "()Ljava/lang/String;");
        if (getMessage.isEmpty())
            return null;
        try {
            return exception.invokeMethod(thread, getMessage.get(0), List.of(),
                    ObjectReference.INVOKE_SINGLE_THREADED);
        } catch (com.sun.jdi.InvalidTypeException | com.sun.jdi.ClassNotLoadedException
                         | IncompatibleThreadStateException | com.sun.jdi.InvocationException
                         | RuntimeException cannot) {
            return null;
        }
    }

    // ---- Breakpoints ----

    static String sourceName(String file) {
        final int slash = Math.max(file.lastIndexOf('/'), file.lastIndexOf('\\'));
        return file.substring(slash + 1);
    }

    static String sourceOf(ReferenceType type) {
        try {
            return type.sourceName();
        } catch (AbsentInformationException unknown) {
            return "";
        }
    }

    void prepared(Session s, ReferenceType type) {
        final String source = sourceOf(type);
        if (!source.isEmpty()) {
            s.typesBySource.computeIfAbsent(source, k -> new ArrayList<>()).add(type);
            for (String file : breakpoints.keySet())
                if (sourceName(file).equals(source) && counts(s, file))
                    place(s, file);
        }
        if (type.name().equals(s.mainClass) && !hasBreakpoints(s)) {
            final Method main = mainMethod(type);
            if (main != null && main.location() != null) {
                s.entry = s.vm.eventRequestManager().createBreakpointRequest(main.location());
                s.entry.setSuspendPolicy(EventRequest.SUSPEND_ALL);
                s.entry.enable();
            }
        }
    }

    /**
     * Quill keeps the breakpoints of every file it has open, of any program. Those of the
     * program's own files count: the files in the folders of its class path. Should none of
     * them lie there (classes compiled to a folder of their own), every file counts, matched
     * by its name.
     */
    boolean counts(Session s, String file) {
        return belongs(s, file) || !anyBelongs(s);
    }

    boolean belongs(Session s, String file) {
        if (s.folders == null)
            return true;
        final Path path = realPath(file);
        if (path == null)
            return true;
        for (Path folder : s.folders)
            if (path.startsWith(folder))
                return true;
        return false;
    }

    boolean anyBelongs(Session s) {
        for (Map.Entry<String, List<Integer>> entry : breakpoints.entrySet())
            if (!entry.getValue().isEmpty() && belongs(s, entry.getKey()))
                return true;
        return false;
    }

    /** Without a breakpoint in its own files the program stops at the first line of main. */
    boolean hasBreakpoints(Session s) {
        return anyBelongs(s);
    }

    static List<Path> programFolders(VirtualMachine vm) {
        if (!(vm instanceof PathSearchingVirtualMachine))
            return null;
        try {
            final PathSearchingVirtualMachine paths = (PathSearchingVirtualMachine) vm;
            final Path base = Paths.get(paths.baseDirectory());
            final List<Path> folders = new ArrayList<>();
            for (String entry : paths.classPath()) {
                final Path folder = realPath(base.resolve(entry).toString());
                if (folder != null)
                    folders.add(folder);
            }
            return folders;
        } catch (RuntimeException unknown) {
            return null;
        }
    }

    /** The path with links resolved where it exists; null for what is no path. */
    static Path realPath(String name) {
        try {
            final Path path = Paths.get(name).toAbsolutePath().normalize();
            try {
                return path.toRealPath();
            } catch (IOException missing) {
                return path;
            }
        } catch (RuntimeException noPath) {
            return null;
        }
    }

    static Method mainMethod(ReferenceType type) {
        Method found = null;
        for (Method method : type.methodsByName("main")) {
            if (method.isAbstract() || method.isNative())
                continue;
            if (method.signature().equals("([Ljava/lang/String;)V"))
                return method;
            if (found == null)
                found = method;
        }
        return found;
    }

    void setBreakpoints(String[] texts) {
        if (texts.length == 0)
            return;
        final String file = texts[0];
        final List<Integer> lines = new ArrayList<>();
        for (int i = 1; i < texts.length; ++i) {
            final int line = number(texts, i, 0);
            if (line > 0 && !lines.contains(line))
                lines.add(line);
        }
        if (lines.isEmpty())
            breakpoints.remove(file);
        else
            breakpoints.put(file, lines);
        final Session s = session;
        if (s != null && s.vm != null && !s.over) {
            s.resolved.remove(file);
            if (counts(s, file))
                place(s, file);
        }
    }

    /**
     * Sets the file's breakpoints in its loaded classes, each on its line or on the next
     * line with code, and says where one moved.
     */
    void place(Session s, String file) {
        final EventRequestManager manager = s.vm.eventRequestManager();
        final List<BreakpointRequest> old = s.requests.remove(file);
        if (old != null)
            manager.deleteEventRequests(old);
        final List<Integer> lines = breakpoints.get(file);
        final List<ReferenceType> types = s.typesBySource.get(sourceName(file));
        if (lines == null || types == null)
            return;
        final List<Location> code = new ArrayList<>();
        for (ReferenceType type : types) {
            try {
                code.addAll(type.allLineLocations());
            } catch (AbsentInformationException noLines) {
                // Compiled without line numbers: no breakpoint can be placed in it.
            }
        }
        final Map<Integer, Integer> resolved = s.resolved.computeIfAbsent(file, k -> new HashMap<>());
        final List<BreakpointRequest> placed = new ArrayList<>();
        for (int line : lines) {
            final int target = lineWithCode(code, line);
            if (target == 0)
                continue;
            // Every piece of the line: a loop's head stops before its first round and at
            // each step to the next (javac never gives one line two pieces in a row).
            for (Location location : code) {
                if (location.lineNumber() != target)
                    continue;
                final BreakpointRequest request = manager.createBreakpointRequest(location);
                request.setSuspendPolicy(EventRequest.SUSPEND_ALL);
                request.enable();
                placed.add(request);
            }
            final Integer before = resolved.put(line, target);
            if (target != line && (before == null || before != target))
                write(MOVED, file, String.valueOf(line), String.valueOf(target));
        }
        s.requests.put(file, placed);
    }

    /**
     * The line itself when it has code; else the next line with code in the method whose
     * lines enclose it; else the next line with code at all; 0 when none follows.
     */
    static int lineWithCode(List<Location> code, int line) {
        final Map<Method, int[]> spans = new HashMap<>();
        for (Location location : code) {
            final int at = location.lineNumber();
            if (at == line)
                return line;
            final int[] span = spans.computeIfAbsent(location.method(),
                    k -> new int[] {Integer.MAX_VALUE, Integer.MIN_VALUE});
            span[0] = Math.min(span[0], at);
            span[1] = Math.max(span[1], at);
        }
        int inMethod = Integer.MAX_VALUE;
        int anywhere = Integer.MAX_VALUE;
        for (Location location : code) {
            final int at = location.lineNumber();
            if (at < line)
                continue;
            anywhere = Math.min(anywhere, at);
            final int[] span = spans.get(location.method());
            if (span[0] <= line && line <= span[1])
                inMethod = Math.min(inMethod, at);
        }
        if (inMethod != Integer.MAX_VALUE)
            return inMethod;
        return anywhere != Integer.MAX_VALUE ? anywhere : 0;
    }

    // ---- Running on ----

    void resume(int how) {
        final Session s = session;
        if (s == null || s.stoppedBy == null)
            return;
        final EventRequestManager manager = s.vm.eventRequestManager();
        manager.deleteEventRequests(manager.stepRequests());
        if (how != RESUME) {
            final int depth = how == STEP_INTO ? StepRequest.STEP_INTO
                    : how == STEP_OUT ? StepRequest.STEP_OUT : StepRequest.STEP_OVER;
            final StepRequest step = manager.createStepRequest(s.thread, StepRequest.STEP_LINE, depth);
            // Into the JDK's own code it steps over; out of it back into the learner's.
            for (String library : LIBRARY)
                step.addClassExclusionFilter(library);
            step.addCountFilter(1);
            step.setSuspendPolicy(EventRequest.SUSPEND_ALL);
            step.enable();
        }
        for (ObjectReference object : s.handedOut.values()) {
            try {
                object.enableCollection();
            } catch (RuntimeException collected) {
                // Nothing to release.
            }
        }
        s.handedOut.clear();
        final EventSet events = s.stoppedBy;
        s.stoppedBy = null;
        events.resume();
        final Waiting next = s.waiting.poll();
        if (next != null)
            stopAt(s, next);
    }

    // ---- What a stop shows ----

    void reportStop(Session s, String exception) {
        final List<String> texts = new ArrayList<>();
        texts.add(exception);
        try {
            // A runaway recursion has thousands of frames: the innermost are what matters.
            final int count = Math.min(s.thread.frameCount(), MAX_FRAMES);
            for (StackFrame frame : s.thread.frames(0, count)) {
                final Location location = frame.location();
                texts.add(location.method().name());
                texts.add(location.declaringType().name());
                String source = "";
                try {
                    source = location.sourceName();
                } catch (AbsentInformationException unknown) {
                    // "" says so.
                }
                texts.add(source);
                texts.add(String.valueOf(Math.max(0, location.lineNumber())));
            }
        } catch (IncompatibleThreadStateException notSuspended) {
            // Cannot be: it stopped for this event.
        }
        if (texts.size() == 1)
            texts.addAll(List.of("?", "?", "", "0"));
        frames.write(STOPPED, texts);
    }

    void variables(int index) {
        final Session s = session;
        if (s == null || s.stoppedBy == null)
            return;
        final List<String> texts = new ArrayList<>();
        texts.add(String.valueOf(index));
        final StackFrame frame;
        try {
            if (index < 0 || index >= s.thread.frameCount()) {
                frames.write(VARIABLES, texts);
                return;
            }
            frame = s.thread.frame(index);
        } catch (IncompatibleThreadStateException notSuspended) {
            frames.write(VARIABLES, texts);
            return;
        }
        try {
            final List<LocalVariable> locals = frame.visibleVariables();
            // Slots are given in the order of declaration, parameters first, and a variable
            // in scope never shares its slot with a later one: that is this order.
            Collections.sort(locals);
            final Map<LocalVariable, Value> values = frame.getValues(locals);
            for (LocalVariable local : locals)
                add(s, texts, local.name(), values.get(local), local.typeName());
        } catch (AbsentInformationException noVariables) {
            // Compiled without -g, or the JDK's code: no local variables to show.
        }
        final ObjectReference self = frame.thisObject();
        if (self != null)
            add(s, texts, "this", self, self.referenceType().name());
        final ReferenceType type = frame.location().declaringType();
        final List<Field> statics = new ArrayList<>();
        for (Field field : type.fields())
            if (field.isStatic() && !field.isSynthetic())
                statics.add(field);
        final Map<Field, Value> values = type.getValues(statics);
        final String owner = type.name().substring(type.name().lastIndexOf('.') + 1);
        for (Field field : statics)
            add(s, texts, owner + "." + field.name(), values.get(field), field.typeName());
        frames.write(VARIABLES, texts);
    }

    void expand(String id) {
        final Session s = session;
        if (s == null || s.stoppedBy == null)
            return;
        final List<String> texts = new ArrayList<>();
        texts.add(id);
        long number;
        try {
            number = Long.parseLong(id);
        } catch (NumberFormatException bad) {
            number = 0;
        }
        final ObjectReference object = s.handedOut.get(number);
        if (object instanceof ArrayReference) {
            final ArrayReference array = (ArrayReference) object;
            final int length = array.length();
            final int shown = Math.min(length, MAX_ELEMENTS);
            final List<Value> elements = shown > 0 ? array.getValues(0, shown) : List.of();
            final String elementType = componentType(array.referenceType().name());
            for (int i = 0; i < shown; ++i)
                add(s, texts, "[" + i + "]", elements.get(i), elementType);
            if (length > shown)
                texts.addAll(List.of("…", "", "", "0"));
        } else if (object != null) {
            final List<Field> fields = instanceFields(object.referenceType());
            final Map<Field, Value> values = object.getValues(fields);
            for (Field field : fields)
                add(s, texts, field.name(), values.get(field), field.typeName());
        }
        frames.write(CHILDREN, texts);
    }

    static List<Field> instanceFields(ReferenceType type) {
        final List<Field> fields = new ArrayList<>();
        for (Field field : type.allFields())
            if (!field.isStatic() && !field.isSynthetic())
                fields.add(field);
        return fields;
    }

    /** Adds a value's name, text, type and id (0 when it does not expand). */
    void add(Session s, List<String> texts, String name, Value value, String declaredType) {
        texts.add(name);
        String id = "0";
        final String text;
        if (value == null) {
            text = "null";
        } else if (value instanceof CharValue) {
            text = "'" + escape(String.valueOf(((CharValue) value).value()), '\'') + "'";
        } else if (value instanceof StringReference) {
            final String whole = ((StringReference) value).value();
            text = whole.length() > MAX_STRING
                    ? "\"" + escape(whole.substring(0, MAX_STRING), '"') + "\"…"
                    : "\"" + escape(whole, '"') + "\"";
        } else if (value instanceof ArrayReference) {
            final ArrayReference array = (ArrayReference) value;
            final String typeName = withoutPackage(array.referenceType().name());
            final int bracket = typeName.indexOf('[');
            text = typeName.substring(0, bracket + 1) + array.length()
                    + typeName.substring(bracket + 1) + " (id=" + array.uniqueID() + ")";
            if (array.length() > 0)
                id = handOut(s, array);
        } else if (value instanceof ObjectReference) {
            final ObjectReference object = (ObjectReference) value;
            final String boxed = boxedValue(object);
            if (boxed != null) {
                text = boxed;
            } else {
                text = withoutPackage(object.referenceType().name()) + " (id=" + object.uniqueID()
                        + ")";
                if (!instanceFields(object.referenceType()).isEmpty())
                    id = handOut(s, object);
            }
        } else {
            text = primitiveText(value);
        }
        texts.add(text);
        texts.add(withoutPackage(declaredType));
        texts.add(id);
    }

    static String handOut(Session s, ObjectReference object) {
        if (s.handedOut.putIfAbsent(object.uniqueID(), object) == null) {
            try {
                object.disableCollection();
            } catch (RuntimeException collected) {
                // Gone already: Expand finds nothing in it.
            }
        }
        return String.valueOf(object.uniqueID());
    }

    static String primitiveText(Value value) {
        if (value instanceof BooleanValue)
            return String.valueOf(((BooleanValue) value).value());
        if (value instanceof ByteValue)
            return String.valueOf(((ByteValue) value).value());
        if (value instanceof ShortValue)
            return String.valueOf(((ShortValue) value).value());
        if (value instanceof IntegerValue)
            return String.valueOf(((IntegerValue) value).value());
        if (value instanceof LongValue)
            return String.valueOf(((LongValue) value).value());
        if (value instanceof FloatValue)
            return String.valueOf(((FloatValue) value).value());
        if (value instanceof DoubleValue)
            return String.valueOf(((DoubleValue) value).value());
        return value.toString();
    }

    /** A boxed primitive's value as the primitive would show it; null for other objects. */
    static String boxedValue(ObjectReference object) {
        switch (object.referenceType().name()) {
        case "java.lang.Integer":
        case "java.lang.Long":
        case "java.lang.Short":
        case "java.lang.Byte":
        case "java.lang.Boolean":
        case "java.lang.Double":
        case "java.lang.Float":
        case "java.lang.Character":
            break;
        default:
            return null;
        }
        final Field field = object.referenceType().fieldByName("value");
        if (field == null)
            return null;
        final Value value = object.getValue(field);
        if (value instanceof CharValue)
            return "'" + escape(String.valueOf(((CharValue) value).value()), '\'') + "'";
        return value != null ? primitiveText(value) : null;
    }

    /** As Java writes it in a literal: control characters, the quote and the backslash. */
    static String escape(String text, char quote) {
        final StringBuilder out = new StringBuilder(text.length() + 8);
        for (int i = 0; i < text.length(); ++i) {
            final char c = text.charAt(i);
            switch (c) {
            case '\n':
                out.append("\\n");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\f':
                out.append("\\f");
                break;
            case '\\':
                out.append("\\\\");
                break;
            default:
                if (c == quote)
                    out.append('\\').append(c);
                else if (c < 0x20 || c == 0x7f)
                    out.append(String.format("\\u%04x", (int) c));
                else
                    out.append(c);
            }
        }
        return out.toString();
    }

    /** java.lang's classes without their package ("String", "Integer[]"); others whole. */
    static String withoutPackage(String typeName) {
        if (typeName.startsWith("java.lang.") && typeName.indexOf('.', 10) < 0)
            return typeName.substring(10);
        return typeName;
    }

    static String componentType(String arrayType) {
        return arrayType.endsWith("[]") ? arrayType.substring(0, arrayType.length() - 2) : arrayType;
    }
}
