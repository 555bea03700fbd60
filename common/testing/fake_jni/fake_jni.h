// A stand-in for the JVM behind a JNIEnv, for testing natives without Java.
//
// FakeJvm offers a JNI function table whose entries used by our natives work
// over a tiny object model: classes with fields and methods, plain objects,
// Strings, object arrays and frames (objects with getTitle/setTitle). Every
// other entry fails the running test when called. It checks the rules a real
// JVM relies on: every GetStringUTFChars is released with its exact pointer,
// and no JNI function but ReleaseStringUTFChars is called while an exception
// is pending. A test can make the nth call of some functions fail, as a JVM
// out of memory or without the asked-for class, field or method would.
#ifndef FAKE_JNI_H
#define FAKE_JNI_H

#include <jni.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fake_jni {

struct Object;

// A method of a fake class: receives the object and its arguments in order.
using MethodBody = std::function<jobject(jobject self, const std::vector<jvalue>& args)>;

struct Field {
  std::string name;
  std::string signature;
};

struct Method {
  std::string name;
  std::string signature;
  MethodBody body;
};

// The functions whose failure a test can ask for, with the exception that a
// real JVM would leave pending.
enum class Failing { GetStringUTFChars, FindClass, NewObjectArray, NewStringUTF, GetFieldID, GetMethodID };

class FakeJvm {
 public:
  FakeJvm();
  ~FakeJvm();
  FakeJvm(const FakeJvm&) = delete;
  FakeJvm& operator=(const FakeJvm&) = delete;

  JNIEnv* env();

  // Object model. Everything lives as long as the FakeJvm.
  jstring string(const char* bytes);  // a java.lang.String; null for a null argument
  std::optional<std::string> text(jobject string) const;  // its bytes; nullopt for null
  jclass defineClass(const std::string& name, std::vector<Field> fields = {},
                     std::vector<Method> methods = {});
  jobject newObject(jclass cls);
  void setField(jobject object, const std::string& name, jobject value);
  void setField(jobject object, const std::string& name, jint value);
  jobject objectField(jobject object, const std::string& name) const;
  jint intField(jobject object, const std::string& name) const;

  // A String array's elements: nullopt for a null element. Fails the test when
  // the object is not an array of java.lang.String.
  std::vector<std::optional<std::string>> strings(jobject array) const;

  // A com.mervalon.util.win32.RegistryKey with the fields path (a String, null
  // when path is null) and hKey.
  jobject registryKey(const char* path, jint hKey);

  // A frame: getTitle gives its title, setTitle(String) stores a new one and
  // then calls onSetTitle with its bytes (nullptr for a null title).
  jobject frame(const char* title, std::function<void(const char*)> onSetTitle = {});
  jobject frameTitle(jobject frame) const;
  // Every title given to the frame's setTitle, in order (nullopt for null).
  std::vector<std::optional<std::string>> titlesSet(jobject frame) const;

  // Makes the nth call of the function from now on (1: the next one) give
  // null and leave an exception pending.
  void failCall(Failing function, int nth = 1);

  // How often the named JNI function was called.
  int calls(const std::string& function) const;
  // Strings taken with GetStringUTFChars and not yet released.
  int unreleasedStrings() const;
  // The class name of the pending exception, or empty; and clearing it, as the
  // Java caller would on catching it.
  std::string pendingException() const;
  void clearException();

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace fake_jni

#endif
