// options: 17=1 16=1
class Engine {
public:
    void Start() { }
    void Stop() { }
};
class Pump {
public:
    void Stop() { }
};
void drive(Engine* e, Pump p)
{
    e->Start();
    e->Stop();
    p.Start();
    printf("done");
}
