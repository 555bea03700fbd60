#include "fake_jni.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <deque>

namespace fake_jni {

struct Object {
  enum Kind { Instance, String, Class, Array } kind = Instance;
  Object* cls = nullptr;  // the class of an instance, a String or an array
  std::string bytes;      // a String's bytes; a class's name
  std::vector<Field> fields;    // a class's declared fields and methods
  std::vector<Method> methods;
  std::map<std::string, jvalue> values;  // an instance's field values
  std::vector<jobject> elements;         // an array's elements
  Object* elementClass = nullptr;
  // Frames: the titles given to setTitle, and what else happens on it.
  std::vector<std::optional<std::string>> titlesSet;
  std::function<void(const char*)> onSetTitle;
};

namespace {

const char* failingName(Failing function) {
  switch (function) {
    case Failing::GetStringUTFChars: return "GetStringUTFChars";
    case Failing::FindClass: return "FindClass";
    case Failing::NewObjectArray: return "NewObjectArray";
    case Failing::NewStringUTF: return "NewStringUTF";
    case Failing::GetFieldID: return "GetFieldID";
    case Failing::GetMethodID: return "GetMethodID";
  }
  return "";
}

Object* object(jobject reference) { return reinterpret_cast<Object*>(reference); }
jobject reference(Object* o) { return reinterpret_cast<jobject>(o); }

}  // namespace

struct FakeJvm::State {
  struct Env {
    JNIEnv_ env;  // first, so that a JNIEnv* leads back here
    State* state;
  } holder;
  JNINativeInterface_ table;
  std::deque<std::unique_ptr<Object>> objects;
  std::map<std::string, Object*> classes;
  std::map<std::string, int> calls;
  std::map<std::string, std::vector<int>> failAt;  // call numbers that fail
  struct Taken {
    jstring string;
    std::unique_ptr<char[]> bytes;
    bool released;
  };
  std::deque<Taken> taken;
  std::string pending;

  Object* make(Object::Kind kind, Object* cls) {
    objects.push_back(std::make_unique<Object>());
    objects.back()->kind = kind;
    objects.back()->cls = cls;
    return objects.back().get();
  }

  Object* classNamed(const std::string& name) {
    auto found = classes.find(name);
    if (found != classes.end()) return found->second;
    Object* c = make(Object::Class, nullptr);
    c->bytes = name;
    classes[name] = c;
    return c;
  }

  // Counts a call, and tells whether the test asked this one to fail.
  bool enter(const char* function) {
    if (!pending.empty() && std::strcmp(function, "ReleaseStringUTFChars") != 0)
      ADD_FAILURE() << "JNI " << function << " called while " << pending << " is pending";
    int n = ++calls[function];
    std::vector<int>& failing = failAt[function];
    for (auto it = failing.begin(); it != failing.end(); ++it) {
      if (*it == n) {
        failing.erase(it);
        return true;
      }
    }
    return false;
  }

  void raise(const char* exceptionClass) { pending = exceptionClass; }
};

namespace {

FakeJvm::State& stateOf(JNIEnv* env) {
  return *reinterpret_cast<FakeJvm::State::Env*>(env)->state;
}

// Entries that the natives do not use: any call fails the test.
const char* slotName(size_t slot) {
  static std::map<size_t, const char*> names = [] {
    std::map<size_t, const char*> m;
#define X(name) m[offsetof(JNINativeInterface_, name) / sizeof(void*)] = #name;
#include "jni_functions.inc"
#undef X
    return m;
  }();
  auto found = names.find(slot);
  return found == names.end() ? "?" : found->second;
}

template <size_t Slot, typename R, typename... A>
R JNICALL unexpected(A...) {
  ADD_FAILURE() << "unexpected JNI call: " << slotName(Slot);
  return R();
}

template <size_t Slot, typename R, typename... A>
R JNICALL unexpected(A..., ...) {
  ADD_FAILURE() << "unexpected JNI call: " << slotName(Slot);
  return R();
}

// The argument values of a call, read by the method's signature.
std::vector<jvalue> readArguments(const std::string& signature, va_list args) {
  std::vector<jvalue> values;
  for (size_t i = 1; i < signature.size() && signature[i] != ')'; ++i) {
    jvalue v{};
    char type = signature[i];
    while (signature[i] == '[') ++i;
    if (signature[i] == 'L') i = signature.find(';', i);
    if (type == 'L' || type == '[') v.l = va_arg(args, jobject);
    else if (type == 'J') v.j = va_arg(args, jlong);
    else if (type == 'F' || type == 'D') v.d = va_arg(args, double);
    else v.i = va_arg(args, jint);
    values.push_back(v);
  }
  return values;
}

std::vector<jvalue> readArguments(const std::string& signature, const jvalue* args) {
  std::vector<jvalue> values;
  for (size_t i = 1, n = 0; i < signature.size() && signature[i] != ')'; ++i, ++n) {
    while (signature[i] == '[') ++i;
    if (signature[i] == 'L') i = signature.find(';', i);
    values.push_back(args[n]);
  }
  return values;
}

const Field* fieldOf(Object* o, jfieldID id) {
  const Field* field = reinterpret_cast<const Field*>(id);
  if (o == nullptr || o->kind != Object::Instance) {
    ADD_FAILURE() << "field read on a null or non-instance object";
    return nullptr;
  }
  for (const Field& f : o->cls->fields)
    if (&f == field) return field;
  ADD_FAILURE() << "field ID of another class";
  return nullptr;
}

jclass JNICALL GetObjectClass(JNIEnv* env, jobject obj) {
  stateOf(env).enter("GetObjectClass");
  if (obj == nullptr) {
    ADD_FAILURE() << "GetObjectClass of null";
    return nullptr;
  }
  return reinterpret_cast<jclass>(object(obj)->cls);
}

jclass JNICALL FindClass(JNIEnv* env, const char* name) {
  FakeJvm::State& s = stateOf(env);
  auto found = s.classes.find(name);
  if (s.enter("FindClass") || found == s.classes.end()) {
    s.raise("java/lang/NoClassDefFoundError");
    return nullptr;
  }
  return reinterpret_cast<jclass>(found->second);
}

jfieldID JNICALL GetFieldID(JNIEnv* env, jclass cls, const char* name, const char* signature) {
  FakeJvm::State& s = stateOf(env);
  bool fail = s.enter("GetFieldID");
  for (const Field& f : object(cls)->fields) {
    if (!fail && f.name == name && f.signature == signature)
      return reinterpret_cast<jfieldID>(const_cast<Field*>(&f));
  }
  s.raise("java/lang/NoSuchFieldError");
  return nullptr;
}

jobject JNICALL GetObjectField(JNIEnv* env, jobject obj, jfieldID id) {
  stateOf(env).enter("GetObjectField");
  const Field* field = fieldOf(object(obj), id);
  return field ? object(obj)->values[field->name].l : nullptr;
}

jint JNICALL GetIntField(JNIEnv* env, jobject obj, jfieldID id) {
  stateOf(env).enter("GetIntField");
  const Field* field = fieldOf(object(obj), id);
  return field ? object(obj)->values[field->name].i : 0;
}

jmethodID JNICALL GetMethodID(JNIEnv* env, jclass cls, const char* name, const char* signature) {
  FakeJvm::State& s = stateOf(env);
  bool fail = s.enter("GetMethodID");
  for (const Method& m : object(cls)->methods) {
    if (!fail && m.name == name && m.signature == signature)
      return reinterpret_cast<jmethodID>(const_cast<Method*>(&m));
  }
  s.raise("java/lang/NoSuchMethodError");
  return nullptr;
}

jobject invoke(jobject obj, jmethodID id, const std::vector<jvalue>& args) {
  const Method* method = reinterpret_cast<const Method*>(id);
  for (const Method& m : object(obj)->cls->methods)
    if (&m == method) return m.body(obj, args);
  ADD_FAILURE() << "method ID of another class";
  return nullptr;
}

const std::string& signatureOf(jmethodID id) { return reinterpret_cast<const Method*>(id)->signature; }

jobject JNICALL CallObjectMethodV(JNIEnv* env, jobject obj, jmethodID id, va_list args) {
  stateOf(env).enter("CallObjectMethod");
  return invoke(obj, id, readArguments(signatureOf(id), args));
}

jobject JNICALL CallObjectMethodA(JNIEnv* env, jobject obj, jmethodID id, const jvalue* args) {
  stateOf(env).enter("CallObjectMethod");
  return invoke(obj, id, readArguments(signatureOf(id), args));
}

jobject JNICALL CallObjectMethod(JNIEnv* env, jobject obj, jmethodID id, ...) {
  va_list args;
  va_start(args, id);
  jobject result = CallObjectMethodV(env, obj, id, args);
  va_end(args);
  return result;
}

void JNICALL CallVoidMethodV(JNIEnv* env, jobject obj, jmethodID id, va_list args) {
  stateOf(env).enter("CallVoidMethod");
  invoke(obj, id, readArguments(signatureOf(id), args));
}

void JNICALL CallVoidMethodA(JNIEnv* env, jobject obj, jmethodID id, const jvalue* args) {
  stateOf(env).enter("CallVoidMethod");
  invoke(obj, id, readArguments(signatureOf(id), args));
}

void JNICALL CallVoidMethod(JNIEnv* env, jobject obj, jmethodID id, ...) {
  va_list args;
  va_start(args, id);
  CallVoidMethodV(env, obj, id, args);
  va_end(args);
}

jstring JNICALL NewStringUTF(JNIEnv* env, const char* bytes) {
  FakeJvm::State& s = stateOf(env);
  if (s.enter("NewStringUTF")) {
    s.raise("java/lang/OutOfMemoryError");
    return nullptr;
  }
  if (bytes == nullptr) {
    ADD_FAILURE() << "NewStringUTF of a null pointer";
    return nullptr;
  }
  Object* string = s.make(Object::String, s.classNamed("java/lang/String"));
  string->bytes = bytes;
  return reinterpret_cast<jstring>(string);
}

const char* JNICALL GetStringUTFChars(JNIEnv* env, jstring str, jboolean* isCopy) {
  FakeJvm::State& s = stateOf(env);
  bool fail = s.enter("GetStringUTFChars");
  if (str == nullptr || object(str)->kind != Object::String) {
    ADD_FAILURE() << "GetStringUTFChars of a null or non-String reference";
    return nullptr;
  }
  if (fail) {
    s.raise("java/lang/OutOfMemoryError");
    return nullptr;
  }
  const std::string& bytes = object(str)->bytes;
  s.taken.push_back({str, std::make_unique<char[]>(bytes.size() + 1), false});
  std::memcpy(s.taken.back().bytes.get(), bytes.c_str(), bytes.size() + 1);
  if (isCopy != nullptr) *isCopy = JNI_TRUE;
  return s.taken.back().bytes.get();
}

void JNICALL ReleaseStringUTFChars(JNIEnv* env, jstring str, const char* chars) {
  FakeJvm::State& s = stateOf(env);
  s.enter("ReleaseStringUTFChars");
  // Newest first: a native releases what it took last.
  for (auto it = s.taken.rbegin(); it != s.taken.rend(); ++it) {
    FakeJvm::State::Taken& t = *it;
    if (t.bytes.get() != chars || t.released) continue;
    EXPECT_EQ(t.string, str) << "ReleaseStringUTFChars with another String than its bytes came from";
    t.released = true;
    // Bytes read after their release show up as a wrong text, as with a JVM
    // that has reused the memory.
    std::memset(t.bytes.get(), '#', std::strlen(t.bytes.get()));
    return;
  }
  ADD_FAILURE() << "ReleaseStringUTFChars of a pointer that is not held";
}

jobjectArray JNICALL NewObjectArray(JNIEnv* env, jsize length, jclass elementClass, jobject initial) {
  FakeJvm::State& s = stateOf(env);
  if (s.enter("NewObjectArray")) {
    s.raise("java/lang/OutOfMemoryError");
    return nullptr;
  }
  if (length < 0 || elementClass == nullptr || object(elementClass)->kind != Object::Class) {
    ADD_FAILURE() << "NewObjectArray with a negative length or without a class";
    return nullptr;
  }
  Object* array = s.make(Object::Array, s.classNamed("[L" + object(elementClass)->bytes + ";"));
  array->elementClass = object(elementClass);
  array->elements.assign(static_cast<size_t>(length), initial);
  return reinterpret_cast<jobjectArray>(array);
}

void JNICALL SetObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index, jobject value) {
  stateOf(env).enter("SetObjectArrayElement");
  Object* a = object(array);
  if (a == nullptr || a->kind != Object::Array) {
    ADD_FAILURE() << "SetObjectArrayElement on a null or non-array reference";
    return;
  }
  if (index < 0 || static_cast<size_t>(index) >= a->elements.size()) {
    ADD_FAILURE() << "SetObjectArrayElement index " << index << " outside 0.." << a->elements.size();
    return;
  }
  if (value != nullptr && object(value)->cls != a->elementClass) {
    ADD_FAILURE() << "SetObjectArrayElement of an element of another class";
    return;
  }
  a->elements[static_cast<size_t>(index)] = value;
}

}  // namespace

FakeJvm::FakeJvm() : state_(std::make_unique<State>()) {
  JNINativeInterface_& t = state_->table;
  std::memset(&t, 0, sizeof t);
#define X(name) t.name = unexpected<offsetof(JNINativeInterface_, name) / sizeof(void*)>;
#include "jni_functions.inc"
#undef X
  t.GetObjectClass = GetObjectClass;
  t.FindClass = FindClass;
  t.GetFieldID = GetFieldID;
  t.GetObjectField = GetObjectField;
  t.GetIntField = GetIntField;
  t.GetMethodID = GetMethodID;
  t.CallObjectMethod = CallObjectMethod;
  t.CallObjectMethodV = CallObjectMethodV;
  t.CallObjectMethodA = CallObjectMethodA;
  t.CallVoidMethod = CallVoidMethod;
  t.CallVoidMethodV = CallVoidMethodV;
  t.CallVoidMethodA = CallVoidMethodA;
  t.NewStringUTF = NewStringUTF;
  t.GetStringUTFChars = GetStringUTFChars;
  t.ReleaseStringUTFChars = ReleaseStringUTFChars;
  t.NewObjectArray = NewObjectArray;
  t.SetObjectArrayElement = SetObjectArrayElement;
  state_->holder.env.functions = &t;
  state_->holder.state = state_.get();
  state_->classNamed("java/lang/String");
  state_->classNamed("java/lang/Object");
}

FakeJvm::~FakeJvm() {
  EXPECT_EQ(unreleasedStrings(), 0) << "GetStringUTFChars without ReleaseStringUTFChars";
}

JNIEnv* FakeJvm::env() { return &state_->holder.env; }

jstring FakeJvm::string(const char* bytes) {
  if (bytes == nullptr) return nullptr;
  Object* s = state_->make(Object::String, state_->classNamed("java/lang/String"));
  s->bytes = bytes;
  return reinterpret_cast<jstring>(s);
}

std::optional<std::string> FakeJvm::text(jobject string) const {
  if (string == nullptr) return std::nullopt;
  EXPECT_EQ(object(string)->kind, Object::String);
  return object(string)->bytes;
}

jclass FakeJvm::defineClass(const std::string& name, std::vector<Field> fields,
                            std::vector<Method> methods) {
  Object* c = state_->classNamed(name);
  c->fields = std::move(fields);
  c->methods = std::move(methods);
  return reinterpret_cast<jclass>(c);
}

jobject FakeJvm::newObject(jclass cls) { return reference(state_->make(Object::Instance, object(cls))); }

void FakeJvm::setField(jobject obj, const std::string& name, jobject value) {
  object(obj)->values[name].l = value;
}

void FakeJvm::setField(jobject obj, const std::string& name, jint value) {
  object(obj)->values[name].i = value;
}

jobject FakeJvm::objectField(jobject obj, const std::string& name) const {
  return object(obj)->values[name].l;
}

jint FakeJvm::intField(jobject obj, const std::string& name) const { return object(obj)->values[name].i; }

std::vector<std::optional<std::string>> FakeJvm::strings(jobject array) const {
  std::vector<std::optional<std::string>> result;
  Object* a = object(array);
  if (a == nullptr || a->kind != Object::Array || a->elementClass->bytes != "java/lang/String") {
    ADD_FAILURE() << "not a String array";
    return result;
  }
  for (jobject e : a->elements) result.push_back(text(e));
  return result;
}

jobject FakeJvm::registryKey(const char* path, jint hKey) {
  const char* name = "com/mervalon/util/win32/RegistryKey";
  if (state_->classes.count(name) == 0) {
    std::vector<Field> fields;
    fields.push_back({"path", "Ljava/lang/String;"});
    fields.push_back({"hKey", "I"});
    defineClass(name, std::move(fields));
  }
  jclass cls = reinterpret_cast<jclass>(state_->classes[name]);
  jobject key = newObject(cls);
  setField(key, "path", string(path));
  setField(key, "hKey", hKey);
  return key;
}

jobject FakeJvm::frame(const char* title, std::function<void(const char*)> onSetTitle) {
  MethodBody getTitle = [](jobject self, const std::vector<jvalue>&) {
    return object(self)->values["title"].l;
  };
  MethodBody setTitle = [](jobject self, const std::vector<jvalue>& args) -> jobject {
    Object* frame = object(self);
    frame->values["title"].l = args.at(0).l;
    const char* bytes = args[0].l ? object(args[0].l)->bytes.c_str() : nullptr;
    frame->titlesSet.push_back(bytes ? std::optional<std::string>(bytes) : std::nullopt);
    if (frame->onSetTitle) frame->onSetTitle(bytes);
    return nullptr;
  };
  const char* name = "java/awt/Frame";
  if (state_->classes.count(name) == 0) {
    std::vector<Method> methods;
    methods.push_back({"getTitle", "()Ljava/lang/String;", getTitle});
    methods.push_back({"setTitle", "(Ljava/lang/String;)V", setTitle});
    defineClass(name, {}, std::move(methods));
  }
  jclass cls = reinterpret_cast<jclass>(state_->classes[name]);
  jobject frame = newObject(cls);
  setField(frame, "title", string(title));
  object(frame)->onSetTitle = std::move(onSetTitle);
  return frame;
}

jobject FakeJvm::frameTitle(jobject frame) const { return object(frame)->values["title"].l; }

std::vector<std::optional<std::string>> FakeJvm::titlesSet(jobject frame) const {
  return object(frame)->titlesSet;
}

void FakeJvm::failCall(Failing function, int nth) {
  const char* name = failingName(function);
  state_->failAt[name].push_back(calls(name) + nth);
}

int FakeJvm::calls(const std::string& function) const {
  auto found = state_->calls.find(function);
  return found == state_->calls.end() ? 0 : found->second;
}

int FakeJvm::unreleasedStrings() const {
  int n = 0;
  for (const State::Taken& t : state_->taken) n += t.released ? 0 : 1;
  return n;
}

std::string FakeJvm::pendingException() const { return state_->pending; }

void FakeJvm::clearException() { state_->pending.clear(); }

}  // namespace fake_jni
