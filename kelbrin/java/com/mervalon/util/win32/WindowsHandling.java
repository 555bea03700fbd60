package com.mervalon.util.win32;

public class WindowsHandling {
    /** Removes the maximize box from the frame's native window. */
    public static native boolean setDisableMaximize(Object frame);
}
