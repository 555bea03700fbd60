package com.mervalon.util.win32;

/** A registry key: a predefined root (hKey) and a path below it. */
public class RegistryKey {
    String path;
    int hKey;

    public native String[] getSubkeysNames();

    public native String getValue(String name);

    public native String[] getValuesNames();

    /** Creates the key or opens it if it exists; true when that failed. */
    public native boolean create();

    /** Deletes the key; true when that failed. */
    public native boolean delete();

    public native boolean deleteValue(String name);

    public native boolean setValue(String name, String data);
}
