package com.mervalon.module.updater.data.core;

/** Natives of the updater support library Ostrel64.dll. */
public final class Ostrel {
    private Ostrel() {
    }

    /**
     * Starts a program through the shell's "runas" verb, so that Windows asks
     * the user for elevation. Parameters and directory may be null.
     * Returns true when the shell started the file.
     */
    public static native boolean startAsAdmin(int hwnd, String file, String parameters, String directory);

    /** The current offset of local time from UTC in milliseconds, positive east of Greenwich. */
    public static native long getTZ();

    /** True exactly when daylight saving time is in force now. */
    public static native boolean isDayLight();
}
