package com.mervalon.brokerage.quessel.gui.winterface;

public class WInterface {
    /** The handle of the top-level window with this title, or 0. */
    public static native int getHwnd(String title);

    public static native int setTopmost(int hwnd);

    public static native int setNotTopmost(int hwnd);
}
